// XML escaping of texts. Each direction is one pass over the text that gives exactly what the
// documented sequence of whole-text replacements gives: no replacement's output can form another
// replacement's pattern, so the passes never interact.
#include "text/xml_escape.h"

#include <cstdint>
#include <cstring>

#include "platform/acad/acutads.h"

namespace qv {

namespace {

// A backslash before an "n" is written as a character reference, which XML tools read as a
// backslash too: as it is, it would read back as the escape of a line break.
const char kBackslashReference[] = "&#92;";

// The escaped form of the character at p, or null when it stays as it is.
const char* entityOf(const char* p) {
  if (p[0] == '\\' && p[1] == 'n') {
    return kBackslashReference;
  }
  switch (*p) {
  case '&':
    return "&amp;";
  case '>':
    return "&gt;";
  case '<':
    return "&lt;";
  case '"':
    return "&quot;";
  case '\'':
    return "&apos;";
  default:
    return nullptr;
  }
}

struct Entity {
  const char* text;
  size_t length;
  char character;
};

constexpr Entity kEntities[] = {
    {"&gt;", 4, '>'}, {"&lt;", 4, '<'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}, {"&amp;", 5, '&'},
};

// A character reference ("&#65;" or "&#x41;") at text: its character and length, or false when
// the text is none or names no character of 1 to 255 (the files are 8-bit; a NUL cannot stand in
// a text), which then stays as it is.
bool readCharacterReference(const char* text, char& character, size_t& length) {
  if (text[0] != '&' || text[1] != '#') {
    return false;
  }
  const bool hex = text[2] == 'x' || text[2] == 'X';
  size_t at = hex ? 3 : 2;
  const size_t digitsAt = at;
  unsigned value = 0;
  for (;; ++at) {
    const char c = text[at];
    int digit = -1;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    }
    if (digit < 0) {
      break;
    }
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (value > 255) {
      return false;
    }
  }
  if (at == digitsAt || text[at] != ';' || value == 0) {
    return false;
  }
  character = static_cast<char>(value);
  length = at + 1;
  return true;
}

} // namespace

int XmlEscape(msString& text) {
  const char* source = text;
  size_t length = 0;
  bool changes = false;
  for (const char* p = source; *p != '\0'; ++p) {
    if (const char* entity = entityOf(p)) {
      length += std::strlen(entity);
      changes = true;
    } else if (p[0] == '\r' && p[1] == '\n') {
      length += 2;
      ++p;
      changes = true;
    } else {
      ++length;
    }
  }
  if (!changes) {
    return 1;
  }
  if (length > static_cast<size_t>(INT32_MAX - 1)) {
    return 0; // beyond what an msString holds
  }
  char* escaped = static_cast<char*>(acad_malloc(length + 1));
  if (escaped == nullptr) {
    return 0;
  }
  char* out = escaped;
  for (const char* p = source; *p != '\0'; ++p) {
    if (const char* entity = entityOf(p)) {
      const size_t entityLength = std::strlen(entity);
      std::memcpy(out, entity, entityLength);
      out += entityLength;
    } else if (p[0] == '\r' && p[1] == '\n') {
      *out++ = '\\';
      *out++ = 'n';
      ++p;
    } else {
      *out++ = *p;
    }
  }
  *out = '\0';
  const int assigned = text.Assign(escaped, static_cast<int>(length));
  acad_free(escaped);
  return assigned;
}

void XmlEscapeAppend(const char* text, std::string& out) {
  if (text == nullptr) {
    return;
  }
  // Runs of characters that stay go across in one append.
  const char* run = text;
  const char* p = text;
  for (; *p != '\0'; ++p) {
    const char* entity = entityOf(p);
    if (entity == nullptr && !(p[0] == '\r' && p[1] == '\n')) {
      continue;
    }
    out.append(run, p);
    if (entity != nullptr) {
      out.append(entity);
    } else {
      out.append("\\n", 2);
      ++p;
    }
    run = p + 1;
  }
  out.append(run, p);
}

void XmlUnescape(char* text) {
  if (text == nullptr) {
    return;
  }
  const char* in = std::strpbrk(text, "&\\");
  if (in == nullptr) {
    return;
  }
  char* out = text + (in - text);
  while (*in != '\0') {
    if (*in == '&') {
      const Entity* match = nullptr;
      for (const Entity& entity : kEntities) {
        if (std::strncmp(in, entity.text, entity.length) == 0) {
          match = &entity;
          break;
        }
      }
      if (match != nullptr) {
        *out++ = match->character;
        in += match->length;
        continue;
      }
      char character = '\0';
      size_t length = 0;
      if (readCharacterReference(in, character, length)) {
        *out++ = character;
        in += length;
        continue;
      }
    } else if (in[0] == '\\' && in[1] == 'n') {
      *out++ = '\r';
      *out++ = '\n';
      in += 2;
      continue;
    }
    *out++ = *in++;
  }
  *out = '\0';
}

void XmlUnescape(msString& text) {
  if (text.IsEmpty()) {
    return;
  }
  XmlUnescape(&text[0]);
}

int XmlUnescape(const char* text, size_t length, msString& out) {
  if (length > static_cast<size_t>(INT32_MAX - 1)) {
    return 0;
  }
  if (out.Assign(text, static_cast<int>(length)) == 0) {
    return 0;
  }
  XmlUnescape(out);
  return 1;
}

} // namespace qv
