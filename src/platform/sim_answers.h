// The user's answers: one queue shared by every stand-in call that waits for a person (dialogs,
// file dialogs, message boxes, prompts, entity picks) and by the ESC check, taken in order.
//
// A test queues what the person will do, runs the command, then reads what was asked:
//
//   sim::answer(sim::Answer::fileName("C:\\jobs\\road.xml"));  // the file dialog's choice
//   sim::answer(sim::Answer::button(IDYES));                  // then "Yes" in a message box
//   runTheCommand();
//   ASSERT_EQ(sim::asked().size(), 2u);
//   EXPECT_EQ(sim::asked()[0].call, "acedGetFileD");
//   EXPECT_EQ(sim::asked()[0].filter, "xml");
//
// When the queue is empty a waiting call answers as a person who cancels (ESC, the Cancel
// button). A waiting call that finds an answer of another kind at the front takes it and reports
// the misuse (the test fails, naming both kinds), then answers as cancelled, or as the answer
// source says when one is set (the person at a console's keyboard is asked instead);
// Answer::cancel() suits any waiting call. The ESC check (acedUsrBrk) does not wait: it takes a
// userBreak answer only when one is at the front, and otherwise answers that nobody pressed ESC.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sim {

struct Answer {
  enum class Kind {
    Button,    // a button or a dialog's status (IDOK, IDCANCEL, DLGOK, ...)
    Text,      // a typed text or keyword
    FileName,  // a file chosen in a file dialog
    Point,     // a point picked or typed
    Pick,      // an entity picked, with the point picked at
    Tile,      // a value set in a dialog's tile
    Press,     // a dialog's button pressed
    Cancel,    // the person cancels (ESC, the Cancel button)
    UserBreak, // one ESC check: pressed or not
  };

  static Answer button(int status);
  static Answer text(std::string text);
  static Answer fileName(std::string path);
  static Answer point(double x, double y, double z = 0.0);
  static Answer pick(const int64_t entity[2], double x, double y, double z = 0.0);
  static Answer tile(std::string key, std::string value);
  static Answer press(std::string key);
  static Answer cancel();
  static Answer userBreak(bool pressed);

  Kind kind = Kind::Cancel;
  int status = 0;          // Button
  std::string value;       // Text, FileName (the path), Tile (the tile's value)
  std::string key;         // Tile, Press
  double location[3] = {}; // Point, Pick
  int64_t entity[2] = {};  // Pick: the entity's name (ads_name)
  bool pressed = false;    // UserBreak
};

// The kind's name as messages show it: "button", "text", "file name", ...
const char* kindName(Answer::Kind kind);

// What a waiting call asked the person, in the order asked.
struct Asked {
  std::string call;         // the stand-in call: "acedGetFileD", "MessageBoxA", ...
  Answer::Kind kind;        // the kind of answer it waited for
  std::string prompt;       // the prompt, title or message shown
  std::string defaultValue; // the default offered, if any
  std::string filter;       // a file dialog's filter or extension, a message box's caption, ...
  int flags = 0;            // the call's flags or style bits
};

// Who answers when the queue is empty: a console on a terminal asks the person at the keyboard.
// The source gets the question and returns the answer (of the kind asked, or Answer::cancel()).
// Unset (as after every reset), an empty queue answers as a person who cancels.
using AnswerSource = std::function<Answer(const Asked& question)>;
void setAnswerSource(AnswerSource source);

// Queues the person's next answer.
void answer(Answer next);
// Answers still queued.
size_t pendingAnswers();
// Everything asked since the reset, in order.
std::vector<Asked> asked();

} // namespace sim
