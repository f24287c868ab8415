#include "drawing/long_text.h"

#include <cstring>
#include <string>

#include "platform/acad/acutads.h"
#include "platform/acad/adscodes.h"

namespace qv {

namespace {

constexpr size_t kPiece = 502;    // characters of an item that the chain goes on from
constexpr size_t kLongest = 503;  // characters an item holds
constexpr char kContinues = '\7'; // after the piece: the chain goes on

bool continues(const char* text) {
  return std::strlen(text) > kPiece && text[kPiece] == kContinues;
}

} // namespace

resbuf* splitLongText(const char* text, resbuf* list) {
  if (text == nullptr) {
    text = "";
  }
  resbuf* chain = nullptr;
  resbuf** tail = &chain;
  size_t left = std::strlen(text);
  std::string piece;
  for (;;) {
    const bool last = left <= kLongest;
    piece.assign(text, last ? left : kPiece);
    if (!last) {
      piece += kContinues;
    }
    *tail = acutBuildList(RTSTR, piece.c_str(), RTNONE);
    if (*tail == nullptr) {
      acutRelRb(chain);
      return list;
    }
    tail = &(*tail)->rbnext;
    if (last) {
      break;
    }
    text += kPiece;
    left -= kPiece;
  }
  if (list == nullptr) {
    return chain;
  }
  resbuf* end = list;
  while (end->rbnext != nullptr) {
    end = end->rbnext;
  }
  end->rbnext = chain;
  return list;
}

resbuf* joinLongText(resbuf* list, msString& out) {
  std::string joined;
  resbuf* after = nullptr;
  for (resbuf* item = list; item != nullptr; item = item->rbnext) {
    if ((item->restype != RTSTR && item->restype != 1000) || item->resval.rstring == nullptr) {
      break;
    }
    const char* text = item->resval.rstring;
    if (!continues(text)) {
      joined += text;
      after = item->rbnext;
      break;
    }
    joined.append(text, kPiece);
  }
  out = joined.c_str();
  return after;
}

} // namespace qv
