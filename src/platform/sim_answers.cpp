// The queue of the user's answers and the log of what waiting calls asked.
#include "platform/sim_answers.h"

#include <deque>
#include <mutex>
#include <utility>

#include "platform/internal/session.h"

namespace {

struct AnswerBook {
  std::mutex guard;
  std::deque<sim::Answer> queue;
  std::vector<sim::Asked> asked;
  sim::AnswerSource source; // the person at a terminal, asked when the queue is empty
};

AnswerBook& book() {
  return sim::detail::session<AnswerBook>();
}

sim::Answer made(sim::Answer::Kind kind) {
  sim::Answer answer;
  answer.kind = kind;
  return answer;
}

} // namespace

namespace sim {

Answer Answer::button(int status) {
  Answer answer = made(Kind::Button);
  answer.status = status;
  return answer;
}

Answer Answer::text(std::string text) {
  Answer answer = made(Kind::Text);
  answer.value = std::move(text);
  return answer;
}

Answer Answer::fileName(std::string path) {
  Answer answer = made(Kind::FileName);
  answer.value = std::move(path);
  return answer;
}

Answer Answer::point(double x, double y, double z) {
  Answer answer = made(Kind::Point);
  answer.location[0] = x;
  answer.location[1] = y;
  answer.location[2] = z;
  return answer;
}

Answer Answer::pick(const int64_t entity[2], double x, double y, double z) {
  Answer answer = point(x, y, z);
  answer.kind = Kind::Pick;
  answer.entity[0] = entity[0];
  answer.entity[1] = entity[1];
  return answer;
}

Answer Answer::tile(std::string key, std::string value) {
  Answer answer = made(Kind::Tile);
  answer.key = std::move(key);
  answer.value = std::move(value);
  return answer;
}

Answer Answer::press(std::string key) {
  Answer answer = made(Kind::Press);
  answer.key = std::move(key);
  return answer;
}

Answer Answer::cancel() {
  return made(Kind::Cancel);
}

Answer Answer::userBreak(bool pressed) {
  Answer answer = made(Kind::UserBreak);
  answer.pressed = pressed;
  return answer;
}

const char* kindName(Answer::Kind kind) {
  switch (kind) {
  case Answer::Kind::Button:
    return "button";
  case Answer::Kind::Text:
    return "text";
  case Answer::Kind::FileName:
    return "file name";
  case Answer::Kind::Point:
    return "point";
  case Answer::Kind::Pick:
    return "entity pick";
  case Answer::Kind::Tile:
    return "tile value";
  case Answer::Kind::Press:
    return "button press";
  case Answer::Kind::Cancel:
    return "cancel";
  case Answer::Kind::UserBreak:
    return "user break";
  }
  return "unknown";
}

void answer(Answer next) {
  AnswerBook& answers = book();
  std::lock_guard<std::mutex> lock(answers.guard);
  answers.queue.push_back(std::move(next));
}

void setAnswerSource(AnswerSource source) {
  AnswerBook& answers = book();
  std::lock_guard<std::mutex> lock(answers.guard);
  answers.source = std::move(source);
}

size_t pendingAnswers() {
  AnswerBook& answers = book();
  std::lock_guard<std::mutex> lock(answers.guard);
  return answers.queue.size();
}

std::vector<Asked> asked() {
  AnswerBook& answers = book();
  std::lock_guard<std::mutex> lock(answers.guard);
  return answers.asked;
}

} // namespace sim

namespace sim::detail {

Answer takeAnswer(const Asked& question) {
  return takeAnswer(question, question.kind);
}

Answer takeAnswer(const Asked& question, Answer::Kind alsoAccepted, bool recordQuestion) {
  AnswerBook& answers = book();
  std::string misuse;
  Answer taken;
  AnswerSource source;
  {
    std::lock_guard<std::mutex> lock(answers.guard);
    if (recordQuestion) {
      answers.asked.push_back(question);
    }
    if (answers.queue.empty()) {
      source = answers.source;
    }
  }
  // The person is asked outside the lock: they may take a while, and the source may queue answers.
  const auto askPerson = [&] {
    taken = source(question);
    return taken.kind == question.kind || taken.kind == alsoAccepted ? taken : Answer::cancel();
  };
  if (source) {
    return askPerson();
  }
  {
    std::lock_guard<std::mutex> lock(answers.guard);
    if (answers.queue.empty()) {
      return Answer::cancel();
    }
    taken = std::move(answers.queue.front());
    answers.queue.pop_front();
    if (taken.kind == question.kind || taken.kind == alsoAccepted ||
        taken.kind == Answer::Kind::Cancel) {
      return taken;
    }
    misuse = question.call + " waits for a " + kindName(question.kind) +
             " but the next answer is a " + kindName(taken.kind);
  }
  reportMisuse(misuse); // outside the lock: the handler may look at the queue
  {
    std::lock_guard<std::mutex> lock(answers.guard);
    source = answers.source;
  }
  // The wrong answer is dropped; a person at the keyboard is asked instead.
  return source ? askPerson() : Answer::cancel();
}

bool takeAnswerIf(Answer::Kind kind, Answer& taken) {
  AnswerBook& answers = book();
  std::lock_guard<std::mutex> lock(answers.guard);
  if (answers.queue.empty() || answers.queue.front().kind != kind) {
    return false;
  }
  taken = std::move(answers.queue.front());
  answers.queue.pop_front();
  return true;
}

} // namespace sim::detail
