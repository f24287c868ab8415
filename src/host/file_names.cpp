// File names and paths as texts.
#include "host/file_names.h"

#include <cstring>
#include <string>
#include <string_view>

namespace qv {
namespace {

constexpr char kForbidden[] = "<>/\\\":?|,=`~*";

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool hasDrive(const std::string& path) {
  return path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
}

void put(std::string_view text, char* output, size_t size) {
  if (output == nullptr || size == 0) {
    return;
  }
  const size_t length = std::min(text.size(), size - 1);
  if (length != 0) { // an empty view may have no data at all
    std::memcpy(output, text.data(), length);
  }
  output[length] = '\0';
}

// Where the name starts: after the last separator.
size_t nameStart(std::string_view path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? 0 : cut + 1;
}

std::string withoutFinalBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') {
    path.pop_back();
  }
  return path;
}

std::string withFinalSeparator(std::string folder) {
  if (folder.empty() || !isSeparator(folder.back())) {
    folder += '\\';
  }
  return folder;
}

std::string trimmed(const char* text) {
  std::string value = text != nullptr ? text : "";
  size_t first = 0;
  while (first < value.size() && isBlank(value[first])) {
    ++first;
  }
  size_t last = value.size();
  while (last > first && isBlank(value[last - 1])) {
    --last;
  }
  return value.substr(first, last - first);
}

// "\\server\share" of a network path; the whole path when no separator follows the share.
std::string serverAndShare(const std::string& base) {
  size_t at = 2;
  while (at < base.size() && !isSeparator(base[at])) {
    ++at; // the server
  }
  if (at < base.size()) {
    ++at;
    while (at < base.size() && !isSeparator(base[at])) {
      ++at; // the share
    }
  }
  return base.substr(0, at);
}

// The base less its last folder, up to and including the separator before it.
std::string parentOf(const std::string& base) {
  std::string path = base;
  if (!path.empty() && isSeparator(path.back())) {
    path.pop_back();
  }
  const size_t cut = path.find_last_of("\\/");
  if (cut != std::string::npos) {
    return path.substr(0, cut + 1);
  }
  return hasDrive(path) ? path.substr(0, 2) : std::string();
}

int trimInPlace(char* name, std::string& value) {
  value = trimmed(name);
  std::memcpy(name, value.c_str(), value.size() + 1);
  return value.empty() ? 0 : 1;
}

} // namespace

// The parts of a path are views of it: these never allocate, and so never throw, however long
// the path.
void fileExtension(const char* path, char* output, size_t size) {
  const std::string_view text = path != nullptr ? path : "";
  const size_t dot = text.find_last_of('.');
  put(dot != std::string_view::npos && dot >= nameStart(text) ? text.substr(dot + 1)
                                                              : std::string_view(),
      output, size);
}

void fileNamePart(const char* path, char* output, size_t size) {
  const std::string_view text = path != nullptr ? path : "";
  put(text.substr(nameStart(text)), output, size);
}

void folderPart(const char* path, char* output, size_t size) {
  const std::string_view text = path != nullptr ? path : "";
  put(text.substr(0, nameStart(text)), output, size);
}

int isShortFileName(const char* path) {
  const std::string text = path != nullptr ? path : "";
  const std::string name = text.substr(nameStart(text));
  if (name.empty() || name.size() > 12) {
    return 0;
  }
  const size_t dot = name.find('.');
  if (dot == std::string::npos
          ? name.size() > 8
          : dot > 8 || name.size() - dot - 1 > 3 || name.find('.', dot + 1) != std::string::npos) {
    return 0;
  }
  for (const char c : name) {
    if (c != '.' && !isLetter(c) && !(c >= '0' && c <= '9') &&
        std::strchr("~_#^$%-@", c) == nullptr) {
      return 0;
    }
  }
  return 1;
}

int hasForbiddenChars(char* name) {
  if (name == nullptr) {
    return 1;
  }
  std::string value;
  if (trimInPlace(name, value) == 0) {
    return 1;
  }
  return value.find_first_of(kForbidden) != std::string::npos ? 1 : 0;
}

int replaceForbiddenChars(char* name) {
  if (name == nullptr) {
    return 0;
  }
  std::string value;
  if (trimInPlace(name, value) == 0) {
    return 0;
  }
  for (char* c = name; *c != '\0'; ++c) {
    if (std::strchr(kForbidden, *c) != nullptr) {
      *c = '_';
    }
  }
  return 1;
}

size_t slashesToBackslashes(char* path) {
  if (path == nullptr) {
    return 0;
  }
  size_t length = 0;
  for (; path[length] != '\0'; ++length) {
    if (path[length] == '/') {
      path[length] = '\\';
    }
  }
  return length;
}

void resolvePath(const char* base, const char* relative, char* output, size_t size) {
  const std::string from = base != nullptr ? base : "";
  const std::string path = relative != nullptr ? relative : "";
  std::string result;
  if (from.size() < 2) {
    result = path;
  } else if (hasDrive(path) && (path.size() == 2 || isSeparator(path[2]))) {
    result = path;
  } else if (path.rfind("\\\\", 0) == 0) {
    result = withoutFinalBackslash(path);
  } else if (!path.empty() && path[0] == '\\') {
    if (hasDrive(from)) {
      result = from.substr(0, 2) + path;
    } else if (isSeparator(from[0]) && isSeparator(from[1])) {
      result = serverAndShare(from) + path;
    } else {
      result = path;
    }
    result = withoutFinalBackslash(result);
  } else if (path.rfind("..", 0) == 0) {
    result = withoutFinalBackslash(parentOf(from) + path.substr(2));
  } else if (!path.empty() && path[0] == '.') {
    result = withoutFinalBackslash(withFinalSeparator(from) + path.substr(1));
  } else {
    result = withoutFinalBackslash(withFinalSeparator(trimmed(from.c_str())) + path);
  }
  put(result, output, size);
}

} // namespace qv
