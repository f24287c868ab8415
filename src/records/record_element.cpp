// Reading and writing record elements.
#include "records/record_element.h"

#include <cstring>
#include <new>

#include "records/internal/record_element_view.h"
#include "records/internal/record_walk.h"
#include "records/uni_record.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

bool isRecordStart(const char* tag, size_t nameLength) {
  return equalsLowerName(tag, nameLength, "record", 6);
}
bool isRecordEnd(const char* tag, size_t nameLength) {
  return equalsLowerName(tag, nameLength, "/record", 7);
}

// Reads record elements tag by tag from views of the scanner's buffer; the texts it hands to the
// records are taken out of the tags once, each unescaped as it is copied.
class ElementReader {
public:
  ElementReader(FILE* file, QvScanBuffer& buffer, msString* keepLast)
      : file_(file), buffer_(buffer), keepLast_(keepLast) {}

  // Fills record from the tags after its start tag (which may be the last tag taken: it is read
  // before the next is taken). own is record when it is one of the reader's own records, which
  // take their id and fields straight from the tags; null for a caller's other kind.
  int parse(IQvUniRecord* record, QvUniRecord* own, const TagView& start, int depth) {
    if (record == nullptr) {
      return 0;
    }
    AttributeWant id{"id", 2};
    findAttributes(start, &id, 1);
    const char* idText = nullptr;
    if (const size_t idLength = attributeView(id, text_, idText); idLength != 0) {
      if (own != nullptr) {
        own->setId(idText, idLength);
      } else {
        attributeText(id, text_);
        record->setId(text_.c_str());
      }
    }
    if (closesItself(start.text, start.length)) {
      return 1; // "<record id="1"/>": a record with nothing inside
    }
    IQvUniRecord* lastChild = nullptr;
    while (take()) {
      const char* tag = last_.text;
      const size_t nameLength = elementNameLength(last_);
      if (isRecordStart(tag, nameLength)) {
        if (depth >= kMaxRecordDepth) {
          // Open are this record, its depth enclosing ones and the child just started.
          return skip(depth + 2) ? kRecordTooDeep : 0;
        }
        QvUniRecord* child = appendNewChild(record, lastChild);
        const int result = parse(child, child, last_, depth + 1);
        if (result != 1) {
          return result;
        }
      } else if (equalsLowerName(tag, nameLength, "value", 5)) {
        addField(record, own, last_);
        if (depth == 0) {
          ++topValues_;
        }
        passValueEnd();
      } else if (isRecordEnd(tag, nameLength)) {
        return 1;
      }
    }
    return 0;
  }

  // The last tag taken, or null when it was copied to keepLast.
  const TagView& last() const { return last_; }
  // The value tags read for the outermost record, not counting its children's.
  size_t topValues() const { return topValues_; }

private:
  bool take() {
    return takeTagQuickly(buffer_, last_) || takeTag(file_, buffer_, last_, keepLast_) != 0;
  }

  // A "value" tag: a field when its name is not empty; own is record when it is a QvUniRecord.
  void addField(IQvUniRecord* record, QvUniRecord* own, const TagView& tag) {
    AttributeWant wants[] = {{"name", 4}, {"value", 5}, {"type", 4}};
    findAttributes(tag, wants, 3);
    if (own == nullptr) {
      if (attributeText(wants[0], name_) != 0) {
        const size_t typeLength = attributeText(wants[2], type_);
        attributeText(wants[1], text_);
        record->setField(name_.c_str(), text_.c_str(), 0,
                         typeLength == 0 ? nullptr : type_.c_str());
      }
      return;
    }
    // The texts go from the tag straight into the field, unless they must be unescaped first.
    const char* name = nullptr;
    const size_t nameLength = attributeView(wants[0], name_, name);
    if (nameLength == 0) {
      return;
    }
    const char* value = nullptr;
    const size_t valueLength = attributeView(wants[1], text_, value);
    const char* type = nullptr;
    const size_t typeLength = attributeView(wants[2], type_, type);
    own->fields().append(name, nameLength, value, valueLength, typeLength == 0 ? nullptr : type,
                         typeLength);
  }

  // Passes over the end tag that writers put right after a value tag, when it is there whole in
  // the text read from a file: taking it as a tag would change nothing.
  void passValueEnd() {
    const size_t at = buffer_.pos;
    if (keepLast_ == nullptr && buffer_.borrowed == nullptr && at + 8 <= buffer_.text.size() &&
        std::memcmp(buffer_.text.data() + at, "</value>", 8) == 0) {
      buffer_.pos = at + 8;
    }
  }

  // Passes over tags until open records have been closed. True when they were, false when the
  // tags ran out first.
  bool skip(int open) {
    while (open > 0 && take()) {
      const size_t nameLength = elementNameLength(last_);
      if (isRecordStart(last_.text, nameLength) && !closesItself(last_.text, last_.length)) {
        ++open;
      } else if (isRecordEnd(last_.text, nameLength)) {
        --open;
      }
    }
    return open == 0;
  }

  FILE* file_;
  QvScanBuffer& buffer_;
  msString* keepLast_;
  TagView last_;
  size_t topValues_ = 0;
  std::string name_;
  std::string text_;
  std::string type_;
};

// prefix, the escaped text and suffix.
void appendEscaped(std::string& out, const char* prefix, const char* text, const char* suffix) {
  out += prefix;
  XmlEscapeAppend(text, out);
  out += suffix;
}

} // namespace

int parseRecordElement(FILE* file, IQvUniRecord* record, msString& tag, QvScanBuffer& buffer) {
  ElementReader reader(file, buffer, &tag);
  TagView start;
  start.text = tag != nullptr ? static_cast<const char*>(tag) : "";
  start.length = std::strlen(start.text);
  const int result = reader.parse(record, dynamic_cast<QvUniRecord*>(record), start, 0);
  if (reader.last().text != nullptr) {
    tag = reader.last().text;
  }
  buffer.unmark();
  return result;
}

int parseRecordElement(FILE* file, QvUniRecord* record, const TagView& start, QvScanBuffer& buffer,
                       size_t& values) {
  ElementReader reader(file, buffer, nullptr);
  const int result = reader.parse(record, record, start, 0);
  values = reader.topValues();
  return result;
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
