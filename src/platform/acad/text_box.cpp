// acedTextBox: the box of a text, measured by the stand-in's one-cell font rule.
#include <cstring>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace {

// Each character's cell is this part of the height wide (times the width factor), and a
// descender reaches this part of the height below the baseline.
constexpr double kCellWidth = 0.8;
constexpr double kDescender = 1.0 / 3.0;

} // namespace

int acedTextBox(const resbuf* args, ads_point p1, ads_point p2) {
  using namespace sim::detail;
  if (shouldFail(FailableCall::acedTextBox)) {
    return RTERROR;
  }
  if (args == nullptr || p1 == nullptr || p2 == nullptr) {
    return RTERROR;
  }
  std::string type;
  const char* text = nullptr;
  const char* definitionText = nullptr;
  const auto size = host().sysVars.find("TEXTSIZE");
  double height = size != host().sysVars.end() ? size->second.real : 0.2;
  double widthFactor = 1.0;
  for (const resbuf* item = args; item != nullptr; item = item->rbnext) {
    switch (item->restype) {
    case 0:
      type = item->resval.rstring != nullptr ? item->resval.rstring : "";
      break;
    case 1:
      text = item->resval.rstring;
      break;
    case 2:
      definitionText = item->resval.rstring;
      break;
    case 40:
      height = item->resval.rreal;
      break;
    case 41:
      widthFactor = item->resval.rreal;
      break;
    default:
      break;
    }
  }
  if (type == "ATTDEF") {
    text = definitionText;
  } else if (!type.empty() && type != "TEXT" && type != "ATTRIB") {
    return RTERROR;
  }
  if (text == nullptr) {
    return RTERROR;
  }
  const size_t characters = std::strlen(text);
  const bool descends = std::strpbrk(text, "gjpqy,;") != nullptr;
  p1[X] = 0.0;
  p1[Y] = descends ? -kDescender * height : 0.0;
  p1[Z] = 0.0;
  p2[X] = static_cast<double>(characters) * kCellWidth * height * widthFactor;
  p2[Y] = characters > 0 ? height : 0.0;
  p2[Z] = 0.0;
  if (characters == 0) {
    p1[Y] = 0.0;
  }
  return RTNORM;
}
