// Reading and checking the arguments of the module's AutoLISP functions, as the host's own
// functions check theirs: a wrong count or type prints the host's error on the command line and
// the function answers nil.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// Walks the arguments of the running call (acedGetArgs) one at a time. Each reader takes the
// next argument; the first wrong one prints "; error: too few arguments" or "; error: bad
// argument type: <predicate> <value>" and every later reader then answers false without printing.
// Numbers are integers (RTSHORT, RTLONG) and reals; an integer reads as a real where a real is
// asked for, never the other way. An optional argument that is absent or nil keeps its default.
class LispArgs {
public:
  LispArgs();

  bool text(const char*& out);
  bool optionalText(const char*& out);
  bool real(double& out);
  bool optionalReal(double& out);
  bool integer(int& out);
  bool optionalInteger(int& out);
  // An optional yes/no argument: absent or nil is false, any other value true.
  bool optionalFlag(bool& out);
  // An optional text, or an integer printed as its decimal text into spare (room for 16 bytes).
  bool optionalTextOrInteger(const char*& out, char* spare);
  // The next argument as it is, of any type.
  bool any(const resbuf*& out);
  // A list argument: out is its RTLB item (its items follow up to the matching RTLE), or null
  // for nil. Two- and three-number lists arrive as points and are refused here.
  bool list(const resbuf*& out);

  // An optional list argument: out stays null when it is absent or nil.
  bool optionalList(const resbuf*& out);
  // A point: two or three numbers, passed as a point or as a list (z 0 for two).
  bool point(ads_point out);
  // An entity name; the optional form gives null for nil or no argument.
  bool entity(ads_name out);
  bool optionalEntity(const resbuf*& out);
  // A selection set.
  bool selectionSet(const resbuf*& out);

  // True when every argument was read; otherwise prints "; error: too many arguments" (once).
  bool done();
  // True while no reader has failed.
  bool ok() const { return !failed_; }

  // Reports value as of the wrong type ("bad argument type: <predicate> <value>"); false.
  bool refuse(const char* predicate, const resbuf* value);

private:
  // The next argument, or null (with "too few arguments") when there is none.
  const resbuf* take();
  // The next argument when one is left and it is not nil; null otherwise (never an error).
  const resbuf* takeOptional();

  const resbuf* next_;
  bool failed_ = false;
};

// The item after a whole value starting at item: after the matching RTLE for an RTLB, else the
// next item. Null at the end of the list.
const resbuf* skipValue(const resbuf* item);

// The point that value gives: a point, or a list of two or three numbers (z 0 for two). False
// for any other value.
bool pointOfValue(const resbuf* value, ads_point point);

// Prints "; error: <message>" on the command line, as the host reports an error in a call.
void printLispError(const char* message);

} // namespace qv
