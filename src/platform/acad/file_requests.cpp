// The host's file dialog (acedGetFileD).
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/internal/library_path.h"
#include "platform/internal/session.h"
#include "platform/win/sim_files.h"
#include "platform/win/sim_system.h"
#include "platform/win/string_win.h"
#include "platform/win/winuser.h"

namespace {

using sim::detail::FailableCall;

size_t nameStart(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? 0 : cut + 1;
}

std::string withSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
    folder.push_back('\\');
  }
  return folder;
}

struct Facts {
  bool exists = false;
  bool isFile = false;
};

Facts factsOf(const std::string& windowsPath) {
  const std::string host = sim::hostPath(windowsPath);
  struct stat info;
  Facts facts;
  if (!host.empty() && ::stat(host.c_str(), &info) == 0) {
    facts.exists = true;
    facts.isFile = !S_ISDIR(info.st_mode);
  }
  return facts;
}

// Whether two paths of existing files name the same one. The stand-in resolves a path to the
// names on disk; where Windows answers, the full path keeps the case it was written in, and
// Windows' names are without regard to case.
bool sameFile(const std::string& one, const std::string& other) {
  const std::string first = sim::hostPath(one);
  const std::string second = sim::hostPath(other);
  if (first.empty() || second.empty()) {
    return false;
  }
  return sim::windowsAnswers() ? _stricmp(first.c_str(), second.c_str()) == 0 : first == second;
}

std::vector<std::string> extensionsOf(const char* ext) {
  std::vector<std::string> list;
  const std::string text = ext != nullptr ? ext : "";
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    end = end == std::string::npos ? text.size() : end;
    if (end > start) {
      list.push_back(text.substr(start, end - start));
    }
    start = end + 1;
  }
  return list;
}

// The path a choice names: a bare name in the default's folder, the first extension added when
// the name has none of the list.
std::string chosenPath(const std::string& answer, const char* defawlt, const char* ext, int flags) {
  std::string path = answer;
  if (nameStart(path) == 0 && defawlt != nullptr) {
    const std::string offered = defawlt;
    path =
        ((flags & 16) != 0 ? withSeparator(offered) : offered.substr(0, nameStart(offered))) + path;
  }
  const std::vector<std::string> extensions = extensionsOf(ext);
  if ((flags & 4) != 0 || extensions.empty() || extensions[0] == "*") {
    return path;
  }
  const std::string name = path.substr(nameStart(path));
  const size_t dot = name.find_last_of('.');
  const std::string own = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  for (const std::string& extension : extensions) {
    if (_stricmp(extension.c_str(), own.c_str()) == 0) {
      return path;
    }
  }
  return path + "." + extensions[0];
}

} // namespace

int acedGetFileD(const char* title, const char* defawlt, const char* ext, int flags,
                 struct resbuf* result) {
  if (sim::detail::shouldFail(FailableCall::acedGetFileD) || result == nullptr) {
    return RTERROR;
  }
  const sim::Asked question{"acedGetFileD",
                            sim::Answer::Kind::FileName,
                            title != nullptr ? title : "",
                            defawlt != nullptr ? defawlt : "",
                            ext != nullptr ? ext : "",
                            flags};
  for (;;) {
    const sim::Answer reply = sim::detail::takeAnswer(question);
    if (reply.kind != sim::Answer::Kind::FileName) {
      return RTCAN;
    }
    std::string path = chosenPath(reply.value, defawlt, ext, flags);
    const Facts facts = factsOf(path);
    if (facts.exists && !facts.isFile) {
      continue; // a folder is opened, not chosen
    }
    if ((flags & 1) == 0 && !facts.exists) {
      continue; // the open dialog refuses a missing file
    }
    if ((flags & 1) != 0 && facts.exists && (flags & 32) == 0) {
      const sim::Answer confirm =
          sim::detail::takeAnswer({"acedGetFileD", sim::Answer::Kind::Button,
                                   path + " already exists.\nDo you want to replace it?", "", "",
                                   static_cast<int>(MB_YESNO | MB_ICONEXCLAMATION)});
      if (confirm.kind != sim::Answer::Kind::Button || confirm.status != IDYES) {
        continue;
      }
    }
    if ((flags & 9) == 8) {
      const std::string name = path.substr(nameStart(path));
      const std::string found = sim::detail::findOnLibraryPath(
          name, [](const std::string& candidate) { return factsOf(candidate).isFile; });
      if (!found.empty() && sameFile(found, path)) {
        path = name;
      }
    }
    auto* text = static_cast<char*>(acad_malloc(path.size() + 1));
    if (text == nullptr) {
      return RTERROR;
    }
    std::memcpy(text, path.c_str(), path.size() + 1);
    result->restype = RTSTR;
    result->resval.rstring = text;
    return RTNORM;
  }
}
