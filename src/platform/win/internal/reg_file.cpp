// The .reg reader and writer. The reader takes what regedit takes: indented lines, comments,
// hex data continued over lines with a backslash, a quoted text running over line ends (kept as
// they are in the file), and skips (and reports) a line it cannot read, as regedit does.
#include "platform/win/internal/reg_file.h"

#include <cstdio>
#include <optional>

#include "platform/win/internal/utf16_text.h"

namespace sim::detail {

namespace {

constexpr std::string_view version5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view version4 = "REGEDIT4";

struct Line {
  std::string text;
  std::string end; // "\r\n", "\n" or "" at the end of the file
};

std::vector<Line> splitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(text.substr(start)), ""});
      break;
    }
    size_t end = newline;
    const bool crlf = end > start && text[end - 1] == '\r';
    if (crlf) {
      --end;
    }
    lines.push_back({std::string(text.substr(start, end - start)), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
  return lines;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         foldName(text.substr(0, prefix.size())) == foldName(prefix);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

std::optional<uint32_t> parseHexNumber(std::string_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) {
    return std::nullopt;
  }
  uint32_t value = 0;
  for (char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0) {
      return std::nullopt;
    }
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

// "a,b , 0c" -> bytes; nullopt when an item is not a one- or two-digit hex number.
std::optional<std::vector<BYTE>> parseHexBytes(std::string_view list) {
  std::vector<BYTE> bytes;
  list = trimmed(list);
  if (list.empty()) {
    return bytes;
  }
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string_view item = trimmed(list.substr(start, comma - start));
    const auto value = parseHexNumber(item, 2);
    if (!value) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<BYTE>(*value));
    if (comma == std::string_view::npos) {
      return bytes;
    }
    start = comma + 1;
  }
}

bool isStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

class Reader {
public:
  Reader(RegistryState& state, std::vector<Line> lines, bool unicode)
      : state_(state), lines_(std::move(lines)), unicode_(unicode) {}

  void run(RegFileLoad& result) {
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      const std::string_view line = trimmed(lines_[index_].text);
      if (line.empty() || line.front() == ';') {
        continue;
      }
      if (line.front() == '[') {
        section(line, result);
      } else if (current_ != nullptr) {
        value(result);
      } else if (!skippingSection_) {
        problem(result, "a value outside any key");
      }
    }
  }

private:
  void problem(RegFileLoad& result, const std::string& why) {
    // Appended piece by piece: GCC 12 at -O3 takes "literal" + temporary for an overlapping copy.
    std::string line = "line ";
    line += std::to_string(index_ + 1);
    line += ": ";
    line += why;
    result.problems.push_back(std::move(line));
  }

  void section(std::string_view line, RegFileLoad& result) {
    current_ = nullptr;
    skippingSection_ = true;
    const size_t close = line.rfind(']');
    if (close == std::string_view::npos) {
      problem(result, "a key without its closing bracket");
      return;
    }
    std::string_view name = line.substr(1, close - 1);
    const bool remove = !name.empty() && name.front() == '-';
    if (remove) {
      name.remove_prefix(1);
    }
    const size_t slash = name.find('\\');
    std::shared_ptr<RegKey> root = namedRoot(state_, name.substr(0, slash), nullptr);
    const auto path =
        splitKeyPath(slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1));
    if (root == nullptr || !path) {
      std::string why = "not a key of the registry: ";
      why += name;
      problem(result, why);
      return;
    }
    if (remove) {
      removeKeyTree(root, *path); // a missing key is no fault: there is nothing to delete
      return;
    }
    current_ = createKey(root, *path, nullptr);
    skippingSection_ = false;
  }

  // A quoted text starting after the opening quote at pos of the current line; it may run over
  // line ends. Leaves index_ and pos after the closing quote.
  std::optional<std::string> quoted(size_t& pos) {
    std::string out;
    while (true) {
      const std::string& text = lines_[index_].text;
      while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"') {
          return out;
        }
        if (c == '\\' && pos < text.size() && (text[pos] == '\\' || text[pos] == '"')) {
          out += text[pos++];
        } else {
          out += c;
        }
      }
      if (index_ + 1 >= lines_.size()) {
        return std::nullopt;
      }
      out += lines_[index_].end;
      ++index_;
      pos = 0;
    }
  }

  // The hex list starting at pos, joined over lines that end with a backslash.
  std::string hexList(size_t pos) {
    std::string list;
    std::string_view part = trimmed(std::string_view(lines_[index_].text).substr(pos));
    while (!part.empty() && part.back() == '\\' && index_ + 1 < lines_.size()) {
      part.remove_suffix(1);
      list += part;
      ++index_;
      part = trimmed(lines_[index_].text);
    }
    list += part;
    return list;
  }

  void value(RegFileLoad& result) {
    const std::string& text = lines_[index_].text;
    size_t pos = text.find_first_not_of(" \t");
    std::string name;
    if (text[pos] == '@') {
      ++pos;
    } else if (text[pos] == '"') {
      ++pos;
      const auto parsed = quoted(pos);
      if (!parsed) {
        problem(result, "a value name without its closing quote");
        return;
      }
      name = *parsed;
    } else {
      problem(result, "not a value line");
      return;
    }
    const std::string& rest = lines_[index_].text;
    pos = rest.find_first_not_of(" \t", pos);
    if (pos == std::string::npos || rest[pos] != '=') {
      problem(result, "a value without '='");
      return;
    }
    pos = rest.find_first_not_of(" \t", pos + 1);
    if (pos == std::string::npos) {
      problem(result, "a value without data");
      return;
    }
    const std::string_view data = std::string_view(rest).substr(pos);
    if (trimmed(data) == "-") {
      current_->eraseValue(name);
    } else if (data.front() == '"') {
      ++pos;
      const size_t startLine = index_;
      auto textValue = quoted(pos);
      if (!textValue || !trimmed(std::string_view(lines_[index_].text).substr(pos)).empty()) {
        index_ = startLine;
        problem(result, "a text value not closed or followed by more");
        return;
      }
      std::vector<BYTE> bytes(textValue->begin(), textValue->end());
      bytes.push_back(0);
      current_->setValue(name, REG_SZ, std::move(bytes));
    } else if (startsWithNoCase(data, "dword:")) {
      const auto number = parseHexNumber(trimmed(data.substr(6)), 8);
      if (!number) {
        problem(result, "a dword that is not 1 to 8 hex digits");
        return;
      }
      std::vector<BYTE> bytes(4);
      for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<BYTE>(*number >> (8 * i));
      }
      current_->setValue(name, REG_DWORD, std::move(bytes));
    } else if (startsWithNoCase(data, "hex")) {
      hexValue(name, pos + 3, result);
    } else {
      problem(result, "data of an unknown form");
    }
  }

  void hexValue(const std::string& name, size_t pos, RegFileLoad& result) {
    const std::string& text = lines_[index_].text;
    DWORD type = REG_BINARY;
    if (pos < text.size() && text[pos] == '(') {
      const size_t close = text.find(')', pos);
      const auto number =
          close == std::string::npos
              ? std::nullopt
              : parseHexNumber(std::string_view(text).substr(pos + 1, close - pos - 1), 8);
      if (!number) {
        problem(result, "a hex type that is not a hex number");
        return;
      }
      type = *number;
      pos = close + 1;
    }
    if (pos >= text.size() || text[pos] != ':') {
      problem(result, "hex data without ':'");
      return;
    }
    auto bytes = parseHexBytes(hexList(pos + 1));
    if (!bytes) {
      problem(result, "hex data that is not a list of bytes");
      return;
    }
    if (unicode_ && isStringType(type)) {
      const std::string text8 = utf16leToUtf8(
          std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
      bytes->assign(text8.begin(), text8.end());
    }
    current_->setValue(name, type, std::move(*bytes));
  }

  RegistryState& state_;
  std::vector<Line> lines_;
  bool unicode_;
  size_t index_ = 0;
  std::shared_ptr<RegKey> current_;
  bool skippingSection_ = false;
};

// ---- Writing

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') {
      out += '\\';
    }
    out += c;
  }
  return out;
}

// A text value writes as "text" when it holds one terminator, at its end, and nothing else that
// a reader would take differently.
bool writesAsText(const RegValue& value) {
  if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0) {
    return false;
  }
  for (size_t i = 0; i + 1 < value.data.size(); ++i) {
    if (value.data[i] == 0) {
      return false;
    }
  }
  return true;
}

void writeHex(std::string& out, std::string prefix, const std::vector<BYTE>& bytes) {
  std::string line = std::move(prefix);
  for (size_t i = 0; i < bytes.size(); ++i) {
    char piece[4];
    std::snprintf(piece, sizeof piece, "%02x", bytes[i]);
    line += piece;
    if (i + 1 < bytes.size()) {
      line += ',';
      // regedit keeps its lines within 80 columns, continued with a backslash.
      if (line.size() > 75) {
        out += line + "\\\r\n";
        line = "  ";
      }
    }
  }
  out += line + "\r\n";
}

void writeValue(std::string& out, const RegValue& value, bool unicode) {
  std::string name = "@";
  if (!value.name.empty()) {
    name = "\"";
    name += escaped(value.name);
    name += "\"";
  }
  if (writesAsText(value)) {
    const std::string_view text(reinterpret_cast<const char*>(value.data.data()),
                                value.data.size() - 1);
    out += name + "=\"" + escaped(text) + "\"\r\n";
    return;
  }
  if (value.type == REG_DWORD && value.data.size() == 4) {
    char number[16];
    const uint32_t dword = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                           (static_cast<uint32_t>(value.data[3]) << 24);
    std::snprintf(number, sizeof number, "%08x", dword);
    out += name + "=dword:" + number + "\r\n";
    return;
  }
  std::vector<BYTE> bytes = value.data;
  if (unicode && isStringType(value.type)) {
    const std::string wide =
        utf8ToUtf16le(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    bytes.assign(wide.begin(), wide.end());
  }
  char type[24];
  if (value.type == REG_BINARY) {
    std::snprintf(type, sizeof type, "hex:");
  } else {
    std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
  }
  writeHex(out, name + "=" + type, bytes);
}

void writeKey(std::string& out, const RegKey& key, const std::string& path, bool unicode) {
  out += "[";
  out += path;
  out += "]\r\n";
  for (int pass = 0; pass < 2; ++pass) { // the default value first, as regedit lists it
    for (const RegValue& value : key.values) {
      if (value.name.empty() == (pass == 0)) {
        writeValue(out, value, unicode);
      }
    }
  }
  out += "\r\n";
  for (const auto& [folded, child] : key.subkeys) {
    writeKey(out, *child, path + "\\" + child->name, unicode);
  }
}

} // namespace

RegFileLoad loadRegFile(RegistryState& state, std::string_view fileBytes) {
  RegFileLoad result;
  std::string text;
  if (fileBytes.size() >= 2 && static_cast<unsigned char>(fileBytes[0]) == 0xFF &&
      static_cast<unsigned char>(fileBytes[1]) == 0xFE) {
    text = utf16leToUtf8(fileBytes.substr(2));
  } else {
    text = std::string(fileBytes);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
      text.erase(0, 3);
    }
  }
  std::vector<Line> lines = splitLines(text);
  const std::string_view header = lines.empty() ? std::string_view() : trimmed(lines[0].text);
  if (header != version5 && header != version4) {
    result.problems.push_back("line 1: not a registry file");
    return result;
  }
  // The version, not the file's encoding, says how hex texts are stored.
  Reader reader(state, std::move(lines), header == version5);
  reader.run(result);
  result.ok = true;
  return result;
}

std::string writeRegFile(RegistryState& state, std::string_view keyPath, bool unicode) {
  std::string out = std::string(unicode ? version5 : version4) + "\r\n\r\n";
  if (keyPath.empty()) {
    for (const RootName& root : rootNames()) {
      const std::shared_ptr<RegKey> key = predefinedRoot(state, root.handle);
      if (!key->values.empty() || !key->subkeys.empty()) {
        writeKey(out, *key, root.name, unicode);
      }
    }
  } else {
    const size_t slash = keyPath.find('\\');
    HKEY handle = nullptr;
    std::shared_ptr<RegKey> root = namedRoot(state, keyPath.substr(0, slash), &handle);
    const auto path = splitKeyPath(slash == std::string_view::npos ? std::string_view()
                                                                   : keyPath.substr(slash + 1));
    std::shared_ptr<RegKey> key = root && path ? findKey(root, *path) : nullptr;
    if (key == nullptr) {
      return std::string();
    }
    std::string fullPath = root->name;
    std::shared_ptr<RegKey> walk = root;
    for (const std::string& part : *path) {
      walk = findKey(walk, {part});
      fullPath += "\\" + walk->name;
    }
    writeKey(out, *key, fullPath, unicode);
  }
  if (!unicode) {
    return out;
  }
  return "\xFF\xFE" + utf8ToUtf16le(out);
}

} // namespace sim::detail
