// Questions of the stand-in host asked at the keyboard.
#include "console_person.h"

#include <cstdlib>
#include <string>

namespace qvhost {

bool readLine(std::FILE* in, std::string* line) {
  line->clear();
  int c = 0;
  bool any = false;
  while ((c = std::fgetc(in)) != EOF) {
    any = true;
    if (c == '\n') {
      break;
    }
    line->push_back(static_cast<char>(c));
  }
  if (!line->empty() && line->back() == '\r') {
    line->pop_back();
  }
  return any;
}

sim::Answer askPerson(const sim::Asked& question, std::FILE* in, std::FILE* out) {
  using Kind = sim::Answer::Kind;
  std::string hint;
  switch (question.kind) {
  case Kind::Button:
    hint = "button or status (1 OK, 2 Cancel, 6 Yes, 7 No)";
    break;
  case Kind::Text:
    hint = "text";
    break;
  case Kind::FileName:
    hint = "file name";
    break;
  case Kind::Point:
    hint = "point x,y[,z]";
    break;
  case Kind::Tile:
  case Kind::Press:
    hint = "key=value to set a tile, or a button's key to press it";
    break;
  default:
    hint = "this question cannot be answered here; Enter cancels";
    break;
  }
  std::fprintf(out, "\n[%s] %s", question.call.c_str(), question.prompt.c_str());
  if (!question.defaultValue.empty()) {
    std::fprintf(out, " <%s>", question.defaultValue.c_str());
  }
  if (!question.filter.empty()) {
    std::fprintf(out, " (%s)", question.filter.c_str());
  }
  std::fprintf(out, "\n%s: ", hint.c_str());
  std::fflush(out);
  std::string line;
  if (!readLine(in, &line) || line.empty()) {
    return sim::Answer::cancel();
  }
  switch (question.kind) {
  case Kind::Button:
    return sim::Answer::button(std::atoi(line.c_str()));
  case Kind::Text:
    return sim::Answer::text(line);
  case Kind::FileName:
    return sim::Answer::fileName(line);
  case Kind::Point: {
    double xyz[3] = {0, 0, 0};
    const char* at = line.c_str();
    for (double& coordinate : xyz) {
      char* end = nullptr;
      coordinate = std::strtod(at, &end);
      if (end == at) {
        break;
      }
      at = *end == ',' ? end + 1 : end;
    }
    return sim::Answer::point(xyz[0], xyz[1], xyz[2]);
  }
  case Kind::Tile:
  case Kind::Press: {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) {
      return sim::Answer::tile(line.substr(0, equals), line.substr(equals + 1));
    }
    return sim::Answer::press(line);
  }
  default:
    return sim::Answer::cancel();
  }
}

} // namespace qvhost
