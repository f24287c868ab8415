// Reading and writing record elements.
#include "records/record_element.h"

#include <cstring>
#include <new>

#include "records/internal/record_walk.h"
#include "records/uni_record.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

// Passes over tags until open records have been closed. True when they were, false when the
// tags ran out first.
bool skipRecordTags(FILE* file, msString& tag, QvScanBuffer& buffer, int open) {
  msString before;
  while (open > 0 && nextTag(file, before, tag, buffer) != 0) {
    if (tagNameIs(tag, "record") != 0 && tagClosesItself(tag) == 0) {
      ++open;
    } else if (tagNameIs(tag, "/record") != 0) {
      --open;
    }
  }
  return open == 0;
}

int parseElement(FILE* file, IQvUniRecord* record, msString& tag, QvScanBuffer& buffer, int depth) {
  if (record == nullptr) {
    return 0;
  }
  msString text;
  getAttribute(tag, "id", text);
  if (!text.IsEmpty()) {
    record->setId(text);
  }
  if (tagClosesItself(tag) != 0) {
    return 1; // "<record id="1"/>": a record with nothing inside
  }
  msString before;
  msString name;
  msString type;
  IQvUniRecord* lastChild = nullptr;
  while (nextTag(file, before, tag, buffer) != 0) {
    if (tagNameIs(tag, "record") != 0) {
      if (depth >= kMaxRecordDepth) {
        // Open are this record, its depth enclosing ones and the child just started.
        return skipRecordTags(file, tag, buffer, depth + 2) ? kRecordTooDeep : 0;
      }
      QvUniRecord* child = appendNewChild(record, lastChild);
      const int result = parseElement(file, child, tag, buffer, depth + 1);
      if (result != 1) {
        return result;
      }
    } else if (tagNameIs(tag, "value") != 0) {
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

// prefix, the escaped text and suffix.
void appendEscaped(std::string& out, const char* prefix, const char* text, const char* suffix) {
  out += prefix;
  XmlEscapeAppend(text, out);
  out += suffix;
}

} // namespace

int parseRecordElement(FILE* file, IQvUniRecord* record, msString& tag, QvScanBuffer& buffer) {
  return parseElement(file, record, tag, buffer, 0);
}

int writeRecordElement(FILE* file, const IQvUniRecord* record) {
  if (file == nullptr || record == nullptr) {
    return 0;
  }
  try {
    std::string out;
    appendRecordElement(out, record);
    return std::fwrite(out.data(), 1, out.size(), file) == out.size() ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

void appendRecordElement(std::string& out, const IQvUniRecord* record) {
  if (record == nullptr) {
    return;
  }
  auto enter = [&out](const IQvUniRecord* r) {
    out += "<record ";
    if (r->getId() != nullptr) {
      appendEscaped(out, "id=\"", r->getId(), "\" ");
    }
    out += ">\n";
  };
  // The fields follow the children, then the end tag.
  auto leave = [&out](const IQvUniRecord* r) {
    for (const IQvUniField* field = r->firstField(); field != nullptr; field = field->next()) {
      appendEscaped(out, "<value name=\"", field->getName() != nullptr ? field->getName() : "",
                    "\" ");
      if (field->getType() != nullptr) {
        appendEscaped(out, "type=\"", field->getType(), "\" ");
      }
      if (field->getValue() != nullptr) {
        appendEscaped(out, "value=\"", field->getValue(), "\"");
      }
      out += "></value>\n";
    }
    out += "</record>\n";
  };
  walkRecordTree(record, enter, leave);
}

} // namespace qv
