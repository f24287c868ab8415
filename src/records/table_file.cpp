// writeTableFile, writeRecordFile and readTableFile with its legacy line format.
#include "records/table_file.h"

#include <cstring>

#include "platform/win/file_rewrite.h"
#include "platform/win/stdio_win.h"
#include "records/no_case.h"
#include "records/record_element.h"
#include "records/tag_scanner.h"
#include "records/uni_record.h"
#include "records/uni_table.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

// First lines and legacy lines are read up to 1023 characters.
constexpr int kLineSize = 1024;

const char kProlog[] = "<?xml version=\"1.0\" encoding=\"us-ascii\" ?>\n";
const char kRootStart[] = "<maradel_xml version=\"1.0\">\n";
const char kRootEnd[] = "</maradel_xml>\n";

// Leading spaces; trailing spaces, CR and LF.
char* trimLine(char* line) {
  while (*line == ' ') {
    ++line;
  }
  size_t end = std::strlen(line);
  while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\r' || line[end - 1] == '\n')) {
    --end;
  }
  line[end] = '\0';
  return line;
}

bool writeAttribute(FILE* file, const char* name, const char* value) {
  if (value == nullptr) {
    return true;
  }
  msString escaped = value;
  if (XmlEscape(escaped) == 0) {
    return false;
  }
  return std::fprintf(file, "%s=\"%s\" ", name, static_cast<const char*>(escaped)) >= 0;
}

bool writeRecords(FILE* file, const IQvUniRecord* record) {
  bool ok = true;
  for (; record != nullptr; record = record->next()) {
    ok = writeRecordElement(file, record) != 0 && ok;
  }
  return ok;
}

// A legacy "name=value" line: the first two pieces between runs of "=" (leading ones skipped).
void addLegacyField(IQvUniRecord* record, char* line) {
  char* name = line;
  while (*name == '=') {
    ++name;
  }
  char* cut = std::strchr(name, '=');
  if (*name == '\0' || cut == nullptr) {
    return;
  }
  *cut = '\0';
  char* value = cut + 1;
  while (*value == '=') {
    ++value;
  }
  if (*value == '\0') {
    return;
  }
  if (char* after = std::strchr(value, '=')) {
    *after = '\0';
  }
  name = trimLine(name);
  value = trimLine(value);
  if (*value == '"') {
    ++value;
    const size_t length = std::strlen(value);
    if (length > 0 && value[length - 1] == '"') {
      value[length - 1] = '\0';
    }
  }
  XmlUnescape(value);
  if (equalsNoCase(name, "id")) {
    record->setId(value);
  } else {
    record->setField(name, value, 0, nullptr);
  }
}

// The older format; the first line, "<QvUniRecord", has been read.
IQvUniTable* readLegacy(FILE* file) {
  auto* table = new QvUniTable;
  IQvUniRecord* open = new QvUniRecord;
  table->addRecord(open);
  char line[kLineSize];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    char* text = trimLine(line);
    if (equalsNoCase(text, "<QvUniRecord")) {
      open = new QvUniRecord;
      table->addRecord(open);
    } else if (std::strcmp(text, "/>") == 0) {
      open = nullptr;
    } else if (open != nullptr) {
      addLegacyField(open, text);
    }
  }
  return table;
}

IQvUniTable* readXml(FILE* file, const char* firstLine) {
  IQvUniTable* first = nullptr;
  IQvUniTable* last = nullptr;
  IQvUniTable* current = nullptr;
  auto startTable = [&]() {
    auto* table = new QvUniTable;
    if (last == nullptr) {
      first = table;
    } else {
      last->setNext(table);
    }
    last = table;
    current = table;
    return table;
  };
  QvScanBuffer buffer;
  buffer.assign(firstLine);
  msString before;
  msString tag;
  msString text;
  while (nextTag(file, before, tag, buffer) != 0) {
    const bool spaced = tagHasSpace(tag) != 0;
    if (spaced && tagNameIs(tag, "table")) {
      IQvUniTable* table = startTable();
      getAttribute(tag, "id", text);
      table->setId(text);
      getAttribute(tag, "type", text);
      table->setType(text);
      getAttribute(tag, "desc", text);
      table->setDesc(text);
    } else if (spaced && tagNameIs(tag, "record")) {
      if (current == nullptr) {
        startTable();
      }
      auto* record = new QvUniRecord;
      current->addRecord(record);
      // A record cut off keeps what was read; the next tag, if any, goes on from there.
      parseRecordElement(file, record, tag, buffer);
    } else if (tagNameIs(tag, "/table")) {
      current = nullptr;
    }
  }
  return first;
}

} // namespace

int writeTableFile(const char* path, const IQvUniTable* first) {
  if (path == nullptr) {
    return 0;
  }
  QvFileRewrite rewrite(path, nullptr, "w");
  FILE* file = rewrite.file();
  if (file == nullptr) {
    return 0;
  }
  bool ok = std::fputs(kProlog, file) >= 0 && std::fputs(kRootStart, file) >= 0;
  for (const IQvUniTable* table = first; table != nullptr && ok; table = table->next()) {
    ok = std::fputs("<table ", file) >= 0 && writeAttribute(file, "id", table->getId()) &&
         writeAttribute(file, "type", table->getType()) &&
         writeAttribute(file, "desc", table->getDesc()) && std::fputs(">\n", file) >= 0 &&
         writeRecords(file, table->firstRecord()) && std::fputs("</table>\n", file) >= 0;
  }
  ok = ok && std::fputs(kRootEnd, file) >= 0;
  if (!ok) {
    rewrite.abandon();
    return 0;
  }
  return rewrite.commit();
}

int writeRecordFile(const char* path, const IQvUniRecord* first) {
  if (path == nullptr) {
    return 0;
  }
  QvFileRewrite rewrite(path, nullptr, "w");
  FILE* file = rewrite.file();
  if (file == nullptr) {
    return 0;
  }
  const bool ok = std::fputs(kProlog, file) >= 0 && std::fputs(kRootStart, file) >= 0 &&
                  std::fputs("<table>\n", file) >= 0 && writeRecords(file, first) &&
                  std::fputs("</table>\n", file) >= 0 && std::fputs(kRootEnd, file) >= 0;
  if (!ok) {
    rewrite.abandon();
    return 0;
  }
  return rewrite.commit();
}

IQvUniTable* readTableFile(const char* path) {
  if (path == nullptr) {
    return nullptr;
  }
  FILE* file = _fsopen(path, "r", _SH_DENYNO);
  if (file == nullptr) {
    return nullptr;
  }
  char line[kLineSize];
  IQvUniTable* tables = nullptr;
  if (std::fgets(line, sizeof line, file) != nullptr) {
    // A first line longer than the read goes on in the scanner's pieces: its end is not the
    // line's end, and trimming it would cut spaces out of the middle of a tag.
    const size_t length = std::strlen(line);
    const bool whole = (length > 0 && line[length - 1] == '\n') || std::feof(file) != 0;
    char* first = whole ? trimLine(line) : line;
    while (!whole && *first == ' ') {
      ++first;
    }
    tables = equalsNoCase(first, "<QvUniRecord") ? readLegacy(file) : readXml(file, first);
  }
  std::fclose(file);
  return tables;
}

} // namespace qv
