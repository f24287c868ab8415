// The DCL language read into definitions: tokens, then definitions and their bodies.
#include "platform/acad/internal/dcl_reader.h"

#include <cstdint>

namespace sim::detail {
namespace {

// Deeper nesting than any dialog has is refused rather than followed down the stack.
constexpr int kMaxNesting = 64;

enum class Token { End, Name, Number, String, Colon, Semicolon, Equals, Open, Close, At, Bad };

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

class Lexer {
public:
  explicit Lexer(std::string_view source) : text_(source) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
      position_ = 3; // an editor's byte-order mark
    }
  }

  // Reads the next token into kind/text; Bad with error set on a fault.
  void next() {
    text.clear();
    kind = skipSpace() ? scan() : Token::Bad;
  }

  Token kind = Token::End;
  std::string text;
  std::string error;
  int line = 1;

private:
  bool skipSpace() {
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (c == '\n') {
        ++line;
        ++position_;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++position_;
      } else if (text_.substr(position_, 2) == "//") {
        while (position_ < text_.size() && text_[position_] != '\n') {
          ++position_;
        }
      } else if (text_.substr(position_, 2) == "/*") {
        const int opened = line;
        position_ += 2;
        while (position_ < text_.size() && text_.substr(position_, 2) != "*/") {
          line += text_[position_] == '\n' ? 1 : 0;
          ++position_;
        }
        if (position_ >= text_.size()) {
          line = opened;
          error = "comment not closed";
          return false;
        }
        position_ += 2;
      } else {
        return true;
      }
    }
    return true;
  }

  Token scan() {
    if (position_ >= text_.size()) {
      return Token::End;
    }
    const char c = text_[position_];
    switch (c) {
    case ':':
      ++position_;
      return Token::Colon;
    case ';':
      ++position_;
      return Token::Semicolon;
    case '=':
      ++position_;
      return Token::Equals;
    case '{':
      ++position_;
      return Token::Open;
    case '}':
      ++position_;
      return Token::Close;
    case '@':
      ++position_;
      return Token::At;
    case '"':
      return scanString();
    default:
      break;
    }
    if (isLetter(c)) {
      while (position_ < text_.size() &&
             (isLetter(text_[position_]) || isDigit(text_[position_]))) {
        text.push_back(text_[position_++]);
      }
      return Token::Name;
    }
    if (isDigit(c) || c == '-' || c == '+' || c == '.') {
      return scanNumber();
    }
    error = std::string("unexpected character '") + c + "'";
    return Token::Bad;
  }

  Token scanString() {
    ++position_;
    while (position_ < text_.size() && text_[position_] != '"') {
      char c = text_[position_++];
      if (c == '\n') {
        error = "string not closed before the end of the line";
        return Token::Bad;
      }
      if (c == '\\' && position_ < text_.size() && text_[position_] != '\n') {
        c = text_[position_++];
        c = c == 'n' ? '\n' : c == 't' ? '\t' : c; // \" and \\ stand for themselves
      }
      text.push_back(c);
    }
    if (position_ >= text_.size()) {
      error = "string not closed";
      return Token::Bad;
    }
    ++position_;
    return Token::String;
  }

  Token scanNumber() {
    const size_t start = position_;
    if (text_[position_] == '-' || text_[position_] == '+') {
      ++position_;
    }
    bool digits = false;
    bool point = false;
    while (position_ < text_.size()) {
      const char c = text_[position_];
      if (isDigit(c)) {
        digits = true;
      } else if (c == '.' && !point) {
        point = true;
      } else {
        break;
      }
      ++position_;
    }
    text.assign(text_.substr(start, position_ - start));
    if (!digits) {
      error = "bad number '" + text + "'";
      return Token::Bad;
    }
    return Token::Number;
  }

  std::string_view text_;
  size_t position_ = 0;
};

class Parser {
public:
  explicit Parser(std::string_view source) : lexer_(source) {}

  bool file(DclText& out) {
    lexer_.next();
    while (lexer_.kind != Token::End) {
      if (lexer_.kind == Token::Semicolon) {
        lexer_.next();
        continue;
      }
      if (lexer_.kind == Token::At) {
        if (!include(out)) {
          return false;
        }
        continue;
      }
      DclNode definition;
      definition.line = lexer_.line;
      if (!expect(Token::Name, "a definition's name")) {
        return false;
      }
      definition.name = lexer_.text;
      lexer_.next();
      if (!bases(definition) || !body(definition, 0)) {
        return false;
      }
      out.definitions.push_back(std::move(definition));
    }
    return true;
  }

  std::string error() const { return "line " + std::to_string(lexer_.line) + ": " + message_; }

private:
  bool fail(const std::string& message) {
    message_ = lexer_.kind == Token::Bad ? lexer_.error : message;
    return false;
  }

  bool expect(Token kind, const char* what) {
    return lexer_.kind == kind || fail(std::string("syntax error: ") + what + " expected");
  }

  bool include(DclText& out) {
    lexer_.next();
    if (lexer_.kind != Token::Name || lexer_.text != "include") {
      return fail("syntax error: @include expected");
    }
    lexer_.next();
    if (!expect(Token::String, "the included file's name in quotes")) {
      return false;
    }
    out.includes.push_back(lexer_.text);
    lexer_.next();
    return true;
  }

  // ": base [: base ...]", at least one.
  bool bases(DclNode& node) {
    if (!expect(Token::Colon, "':' after the name")) {
      return false;
    }
    while (lexer_.kind == Token::Colon) {
      lexer_.next();
      if (!expect(Token::Name, "a tile's name after ':'")) {
        return false;
      }
      node.bases.push_back(lexer_.text);
      lexer_.next();
    }
    return true;
  }

  // "{ item ... }"
  bool body(DclNode& node, int depth) {
    if (depth >= kMaxNesting) {
      return fail("tiles nested too deeply");
    }
    if (!expect(Token::Open, "'{'")) {
      return false;
    }
    node.hasBody = true;
    lexer_.next();
    while (lexer_.kind != Token::Close) {
      if (!item(node, depth)) {
        return false;
      }
    }
    lexer_.next();
    return true;
  }

  bool item(DclNode& node, int depth) {
    if (lexer_.kind == Token::Semicolon) { // a stray one, as after "{ }", is nothing
      lexer_.next();
      return true;
    }
    if (lexer_.kind == Token::Colon) {
      DclNode child;
      child.line = lexer_.line;
      if (!bases(child) || !body(child, depth + 1)) {
        return false;
      }
      node.children.push_back(std::move(child));
      return true;
    }
    if (!expect(Token::Name, "an attribute, a tile or '}'")) {
      return false;
    }
    const std::string name = lexer_.text;
    const int line = lexer_.line;
    lexer_.next();
    if (lexer_.kind == Token::Semicolon) { // a tile taken whole: "ok_cancel;"
      DclNode child;
      child.line = line;
      child.bases.push_back(name);
      node.children.push_back(std::move(child));
      lexer_.next();
      return true;
    }
    if (!expect(Token::Equals, "'=' or ';' after a name")) {
      return false;
    }
    lexer_.next();
    DclAttribute attribute{name, lexer_.text, lexer_.kind == Token::String};
    if (lexer_.kind != Token::String && lexer_.kind != Token::Number &&
        lexer_.kind != Token::Name) {
      return fail("syntax error: a value expected after '" + name + " ='");
    }
    lexer_.next();
    if (!expect(Token::Semicolon, "';' after a value")) {
      return false;
    }
    lexer_.next();
    for (DclAttribute& earlier : node.attributes) {
      if (earlier.name == attribute.name) {
        earlier = std::move(attribute); // the last setting in a body holds
        return true;
      }
    }
    node.attributes.push_back(std::move(attribute));
    return true;
  }

  Lexer lexer_;
  std::string message_;
};

} // namespace

bool parseDcl(std::string_view text, DclText& out, std::string& error) {
  Parser parser(text);
  out = DclText{};
  if (!parser.file(out)) {
    error = parser.error();
    return false;
  }
  return true;
}

} // namespace sim::detail
