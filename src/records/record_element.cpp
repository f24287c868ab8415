// Reading and writing record elements.
#include "records/record_element.h"

#include <cstring>

#include "records/uni_record.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

int parseElement(FILE* file, IQvUniRecord* record, msString& tag, QvScanBuffer& buffer, int depth) {
  if (record == nullptr) {
    return 0;
  }
  msString text;
  getAttribute(tag, "id", text);
  if (!text.IsEmpty()) {
    record->setId(text);
  }
  msString before;
  msString name;
  msString type;
  IQvUniRecord* lastChild = nullptr;
  while (nextTag(file, before, tag, buffer) != 0) {
    const bool spaced = tagHasSpace(tag) != 0;
    if (spaced && tagNameIs(tag, "record")) {
      if (depth >= kMaxRecordDepth) {
        return 0;
      }
      auto* child = new QvUniRecord;
      if (lastChild != nullptr) {
        lastChild->setNext(child);
      } else if (record->firstChild() != nullptr) {
        record->firstChild()->appendRecord(child);
      } else {
        record->setFirstChild(child);
      }
      lastChild = child;
      if (parseElement(file, child, tag, buffer, depth + 1) == 0) {
        return 0;
      }
    } else if (spaced && tagNameIs(tag, "value")) {
      getAttribute(tag, "name", name);
      getAttribute(tag, "value", text);
      getAttribute(tag, "type", type);
      if (!name.IsEmpty()) {
        record->setField(name, text, 0, type.IsEmpty() ? nullptr : static_cast<const char*>(type));
      }
    } else if (tagNameIs(tag, "/record")) {
      return 1;
    }
  }
  return 0;
}

// Writes prefix, the escaped text and suffix. False when escaping or a write failed.
bool writeEscaped(FILE* file, const char* prefix, const char* text, const char* suffix) {
  msString escaped = text;
  if (XmlEscape(escaped) == 0) {
    return false;
  }
  return std::fputs(prefix, file) >= 0 && std::fputs(escaped, file) >= 0 &&
         std::fputs(suffix, file) >= 0;
}

} // namespace

int parseRecordElement(FILE* file, IQvUniRecord* record, msString& tag, QvScanBuffer& buffer) {
  return parseElement(file, record, tag, buffer, 0);
}

int writeRecordElement(FILE* file, const IQvUniRecord* record) {
  if (file == nullptr || record == nullptr) {
    return 0;
  }
  bool ok = std::fputs("<record ", file) >= 0;
  if (record->getId() != nullptr) {
    ok = writeEscaped(file, "id=\"", record->getId(), "\" ") && ok;
  }
  ok = std::fputs(">\n", file) >= 0 && ok;
  for (const IQvUniRecord* child = record->firstChild(); child != nullptr; child = child->next()) {
    ok = writeRecordElement(file, child) != 0 && ok;
  }
  for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
    ok = writeEscaped(file, "<value name=\"", field->getName() != nullptr ? field->getName() : "",
                      "\" ") &&
         ok;
    if (field->getType() != nullptr) {
      ok = writeEscaped(file, "type=\"", field->getType(), "\" ") && ok;
    }
    if (field->getValue() != nullptr) {
      ok = writeEscaped(file, "value=\"", field->getValue(), "\"") && ok;
    }
    ok = std::fputs("></value>\n", file) >= 0 && ok;
  }
  ok = std::fputs("</record>\n", file) >= 0 && ok;
  return ok ? 1 : 0;
}

} // namespace qv
