// The argument checks of the module's AutoLISP functions, with the host's own error texts.
#include "module/lisp_args.h"

#include <cstdio>
#include <string>

#include "module/lisp_print.h"
#include "platform/acad/acedads.h"
#include "text/print_pieces.h"

namespace qv {

LispArgs::LispArgs() : next_(acedGetArgs()) {}

const resbuf* LispArgs::take() {
  if (failed_) {
    return nullptr;
  }
  if (next_ == nullptr) {
    failed_ = true;
    printLispError("too few arguments");
    return nullptr;
  }
  const resbuf* value = next_;
  next_ = skipValue(next_);
  return value;
}

const resbuf* LispArgs::takeOptional() {
  if (failed_ || next_ == nullptr) {
    return nullptr;
  }
  const resbuf* value = next_;
  next_ = skipValue(next_);
  return value->restype == RTNIL ? nullptr : value;
}

bool LispArgs::refuse(const char* predicate, const resbuf* value) {
  failed_ = true;
  // numberp and fixnump put a colon after their name, as the host prints them.
  const std::string name = predicate;
  const bool colon = name == "numberp" || name == "fixnump";
  const std::string message =
      "bad argument type: " + name + (colon ? ": " : " ") + printLispValue(value);
  printLispError(message.c_str());
  return false;
}

namespace {

bool isText(const resbuf* value) {
  return value->restype == RTSTR;
}

bool isInteger(const resbuf* value) {
  return value->restype == RTSHORT || value->restype == RTLONG;
}

int integerOf(const resbuf* value) {
  return value->restype == RTSHORT ? value->resval.rint : static_cast<int>(value->resval.rlong);
}

} // namespace

bool LispArgs::text(const char*& out) {
  const resbuf* value = take();
  if (value == nullptr) {
    return false;
  }
  if (!isText(value)) {
    return refuse("stringp", value);
  }
  out = value->resval.rstring;
  return true;
}

bool LispArgs::optionalText(const char*& out) {
  const resbuf* value = takeOptional();
  if (value == nullptr) {
    return !failed_;
  }
  if (!isText(value)) {
    return refuse("stringp", value);
  }
  out = value->resval.rstring;
  return true;
}

bool LispArgs::real(double& out) {
  const resbuf* value = take();
  if (value == nullptr) {
    return false;
  }
  if (isInteger(value)) {
    out = integerOf(value);
    return true;
  }
  if (value->restype != RTREAL) {
    return refuse("numberp", value);
  }
  out = value->resval.rreal;
  return true;
}

bool LispArgs::optionalReal(double& out) {
  if (failed_ || next_ == nullptr || next_->restype == RTNIL) {
    takeOptional();
    return !failed_;
  }
  return real(out);
}

bool LispArgs::integer(int& out) {
  const resbuf* value = take();
  if (value == nullptr) {
    return false;
  }
  if (!isInteger(value)) {
    return refuse("fixnump", value);
  }
  out = integerOf(value);
  return true;
}

bool LispArgs::optionalInteger(int& out) {
  if (failed_ || next_ == nullptr || next_->restype == RTNIL) {
    takeOptional();
    return !failed_;
  }
  return integer(out);
}

bool LispArgs::optionalFlag(bool& out) {
  out = takeOptional() != nullptr;
  return !failed_;
}

bool LispArgs::any(const resbuf*& out) {
  out = take();
  return out != nullptr;
}

bool LispArgs::optionalTextOrInteger(const char*& out, char* spare) {
  const resbuf* value = takeOptional();
  if (value == nullptr) {
    return !failed_;
  }
  if (isInteger(value)) {
    std::snprintf(spare, 16, "%d", integerOf(value));
    out = spare;
    return true;
  }
  if (!isText(value)) {
    return refuse("stringp", value);
  }
  out = value->resval.rstring;
  return true;
}

bool LispArgs::list(const resbuf*& out) {
  const resbuf* value = take();
  if (value == nullptr) {
    return false;
  }
  if (value->restype == RTNIL) {
    out = nullptr;
    return true;
  }
  if (value->restype != RTLB) {
    return refuse("listp", value);
  }
  out = value;
  return true;
}

bool LispArgs::optionalList(const resbuf*& out) {
  if (failed_ || next_ == nullptr || next_->restype == RTNIL) {
    takeOptional();
    return !failed_;
  }
  return list(out);
}

bool LispArgs::point(ads_point out) {
  const resbuf* value = take();
  if (value == nullptr) {
    return false;
  }
  return pointOfValue(value, out) || refuse("2D/3D point:", value);
}

bool LispArgs::entity(ads_name out) {
  const resbuf* value = take();
  if (value == nullptr) {
    return false;
  }
  if (value->restype != RTENAME) {
    return refuse("lentityp", value);
  }
  out[0] = value->resval.rlname[0];
  out[1] = value->resval.rlname[1];
  return true;
}

bool LispArgs::optionalEntity(const resbuf*& out) {
  out = takeOptional();
  return out == nullptr ? !failed_ : out->restype == RTENAME || refuse("lentityp", out);
}

bool LispArgs::selectionSet(const resbuf*& out) {
  out = take();
  if (out == nullptr) {
    return false;
  }
  return out->restype == RTPICKS || refuse("lselsetp", out);
}

bool LispArgs::done() {
  if (failed_) {
    return false;
  }
  if (next_ != nullptr) {
    failed_ = true;
    printLispError("too many arguments");
    return false;
  }
  return true;
}

bool pointOfValue(const resbuf* value, ads_point point) {
  if (value->restype == RTPOINT || value->restype == RT3DPOINT) {
    point[X] = value->resval.rpoint[X];
    point[Y] = value->resval.rpoint[Y];
    point[Z] = value->restype == RTPOINT ? 0.0 : value->resval.rpoint[Z];
    return true;
  }
  if (value->restype != RTLB) {
    return false;
  }
  // A list of numbers that AutoLISP did not pass as a point (it holds an integer).
  int count = 0;
  point[Z] = 0.0;
  for (const resbuf* item = value->rbnext; item != nullptr && item->restype != RTLE;
       item = item->rbnext) {
    if (count == 3) {
      return false;
    }
    if (isInteger(item)) {
      point[count++] = integerOf(item);
    } else if (item->restype == RTREAL) {
      point[count++] = item->resval.rreal;
    } else {
      return false;
    }
  }
  return count >= 2;
}

const resbuf* skipValue(const resbuf* item) {
  if (item == nullptr) {
    return nullptr;
  }
  if (item->restype != RTLB) {
    return item->rbnext;
  }
  int depth = 0;
  for (; item != nullptr; item = item->rbnext) {
    if (item->restype == RTLB) {
      ++depth;
    } else if (item->restype == RTLE && --depth == 0) {
      return item->rbnext;
    }
  }
  return nullptr;
}

void printLispError(const char* message) {
  PrintLong("; error: %s\n", message);
}

} // namespace qv
