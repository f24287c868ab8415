// AutoLISP's files: open, close, read-line, write-line, findfile and load, through the host's
// file search (acedFindFile) and the runtime's streams of the Windows layer.
#include <algorithm>
#include <cstring>

#include "platform/acad/acedads.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"
#include "platform/internal/session.h"
#include "platform/win/stdio_win.h"

namespace sim::detail {

std::FILE* needOpenFile(LispMachine& machine, const LispRef& value) {
  if (isKind(value, LispKind::File)) {
    auto* stream = reinterpret_cast<std::FILE*>(static_cast<uintptr_t>(value->name[0]));
    const auto& open = machine.openFiles;
    if (stream != nullptr && std::find(open.begin(), open.end(), stream) != open.end()) {
      return stream;
    }
  }
  machine.badArgument("streamp", value);
}

namespace {

LispRef openSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const std::string& name = needString(machine, args[0]);
  std::string mode = needString(machine, args[1]);
  std::transform(mode.begin(), mode.end(), mode.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  if (mode != "r" && mode != "w" && mode != "a") {
    machine.fail("bad argument value: " + printValue(args[1], true));
  }
  std::FILE* stream = _fsopen(name.c_str(), mode.c_str(), _SH_DENYNO);
  if (stream == nullptr) {
    return LispRef();
  }
  machine.openFiles.push_back(stream);
  LispRef file =
      makeOpaque(LispKind::File, static_cast<int64_t>(reinterpret_cast<uintptr_t>(stream)));
  file->text = name;
  return file;
}

LispRef closeSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  std::FILE* stream = needOpenFile(machine, args[0]);
  std::erase(machine.openFiles, stream);
  args[0]->name[0] = 0; // every copy of the value now names a closed file
  std::fclose(stream);
  return LispRef();
}

LispRef readLineSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 1);
  if (args.empty() || !args[0]) {
    // From the keyboard: the person types a line.
    const sim::Answer typed = takeAnswer({"read-line", sim::Answer::Kind::Text, "", "", "", 0});
    return typed.kind == sim::Answer::Kind::Text ? makeString(typed.value) : LispRef();
  }
  std::FILE* stream = needOpenFile(machine, args[0]);
  std::string line;
  char piece[512];
  bool any = false;
  while (std::fgets(piece, sizeof piece, stream) != nullptr) {
    any = true;
    line += piece;
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      break;
    }
  }
  return any ? makeString(std::move(line)) : LispRef();
}

LispRef writeLineSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  const std::string& text = needString(machine, args[0]);
  if (args.size() == 2 && args[1]) {
    std::FILE* stream = needOpenFile(machine, args[1]);
    std::fputs(text.c_str(), stream);
    std::fputc('\n', stream);
  } else {
    machine.write(text + "\n");
  }
  return args[0];
}

// The host's search for a file; empty when it finds none.
std::string findFile(const std::string& name) {
  char found[512] = {};
  return acedFindFile(name.c_str(), found) == RTNORM ? std::string(found) : std::string();
}

LispRef findfileSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const std::string found = findFile(needString(machine, args[0]));
  return found.empty() ? LispRef() : makeString(found);
}

bool hasExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && name.find_first_of("\\/", dot) == std::string::npos;
}

// The whole text of a file through the runtime's streams; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string* text) {
  std::FILE* stream = _fsopen(path.c_str(), "r", _SH_DENYWR);
  if (stream == nullptr) {
    return false;
  }
  char piece[4096];
  size_t got = 0;
  while ((got = std::fread(piece, 1, sizeof piece, stream)) > 0) {
    text->append(piece, got);
  }
  const bool failed = std::ferror(stream) != 0;
  return std::fclose(stream) == 0 && !failed;
}

LispRef loadSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  const std::string& name = needString(machine, args[0]);
  // A name without an extension is looked for as a LISP source file first.
  std::string found = hasExtension(name) ? std::string() : findFile(name + ".lsp");
  if (found.empty()) {
    found = findFile(name);
  }
  std::string text;
  if (found.empty() || !readWholeFile(found, &text)) {
    if (args.size() == 2) {
      return args[1];
    }
    machine.fail("LOAD failed: " + printValue(args[0], true));
  }
  return machine.loadText(text, found);
}

} // namespace

void defineFileFunctions(LispMachine& machine) {
  machine.defineSubr("open", openSubr);
  machine.defineSubr("close", closeSubr);
  machine.defineSubr("read-line", readLineSubr);
  machine.defineSubr("write-line", writeLineSubr);
  machine.defineSubr("findfile", findfileSubr);
  machine.defineSubr("load", loadSubr);
}

} // namespace sim::detail
