// writeTableFile, writeRecordFile and readTableFile with its legacy line format.
#include "records/table_file.h"

#include <cstring>
#include <new>
#include <string>

#include "platform/win/stdio_win.h"
#include "records/allocation_watch.h"
#include "records/internal/no_case.h"
#include "records/internal/record_element_view.h"
#include "records/record_element.h"
#include "records/tag_scanner.h"
#include "records/uni_record.h"
#include "records/uni_table.h"
#include "support/file_rewrite.h"
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

// Output is built in a buffer and written in pieces of about this size, so that a file is a few
// thousand writes rather than several per value.
constexpr size_t kWriteSize = 64 * 1024;

// Writes out and empties it. False when the write failed.
bool flush(FILE* file, std::string& out) {
  const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  out.clear();
  return ok;
}

void appendAttribute(std::string& out, const char* name, const char* value) {
  if (value != nullptr) {
    out += name;
    out += "=\"";
    XmlEscapeAppend(value, out);
    out += "\" ";
  }
}

// The record elements of the chain, out flushed whenever it has grown past kWriteSize.
bool writeRecords(FILE* file, std::string& out, const IQvUniRecord* record) {
  for (; record != nullptr; record = record->next()) {
    appendRecordElement(out, record);
    if (out.size() >= kWriteSize && !flush(file, out)) {
      return false;
    }
  }
  return true;
}

bool writeTables(FILE* file, const IQvUniTable* first) {
  std::string out;
  out.reserve(2 * kWriteSize);
  out += kProlog;
  out += kRootStart;
  for (const IQvUniTable* table = first; table != nullptr; table = table->next()) {
    out += "<table ";
    appendAttribute(out, "id", table->getId());
    appendAttribute(out, "type", table->getType());
    appendAttribute(out, "desc", table->getDesc());
    out += ">\n";
    if (!writeRecords(file, out, table->firstRecord())) {
      return false;
    }
    out += "</table>\n";
  }
  out += kRootEnd;
  return flush(file, out);
}

bool writeOneTable(FILE* file, const IQvUniRecord* first) {
  std::string out;
  out.reserve(2 * kWriteSize);
  out += kProlog;
  out += kRootStart;
  out += "<table>\n";
  if (!writeRecords(file, out, first)) {
    return false;
  }
  out += "</table>\n";
  out += kRootEnd;
  return flush(file, out);
}

// Writes path through a rewrite with write(file); the old file is replaced only when every write,
// and the close, succeeded. Running out of memory counts as a failed write.
template <typename Write> int rewriteFile(const char* path, Write&& write) {
  if (path == nullptr) {
    return 0;
  }
  QvFileRewrite rewrite(path, nullptr, "w");
  FILE* file = rewrite.file();
  if (file == nullptr) {
    return 0;
  }
  bool ok = false;
  try {
    ok = write(file);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) {
    rewrite.abandon();
    return 0;
  }
  return rewrite.commit();
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

// The older format; the first line, "<QvUniRecord", has been read. Reading stops when memory
// runs out (the caller sees the failure noted).
IQvUniTable* readLegacy(FILE* file) {
  QvUniTable* table = QvUniTable::create();
  IQvUniRecord* open = QvUniRecord::create();
  if (table == nullptr || open == nullptr) {
    delete table;
    delete open;
    return nullptr;
  }
  table->addRecord(open);
  char line[kLineSize];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    char* text = trimLine(line);
    if (equalsNoCase(text, "<QvUniRecord")) {
      open = QvUniRecord::create();
      if (open == nullptr) {
        break;
      }
      table->addRecord(open);
    } else if (std::strcmp(text, "/>") == 0) {
      open = nullptr;
    } else if (open != nullptr) {
      addLegacyField(open, text);
    }
  }
  return table;
}

// The tables go to first as they are made, so that the caller owns them even when the scanner's
// text throws because memory ran out.
void readXml(FILE* file, const char* firstLine, IQvUniTable*& first) {
  IQvUniTable* last = nullptr;
  IQvUniTable* current = nullptr;
  auto startTable = [&]() {
    QvUniTable* table = QvUniTable::create();
    if (table == nullptr) {
      return table;
    }
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
  TagView tag;
  std::string text;
  // The records of a table mostly have the fields of the one before: each comes with room for
  // as many.
  size_t fieldsOfLast = 0;
  while (takeTagQuickly(buffer, tag) || takeTag(file, buffer, tag) != 0) {
    const size_t nameLength = elementNameLength(tag);
    // A table tag without attributes ("<table>", as writeRecordFile writes it) starts no table:
    // its records go into one the reader makes, without id, type and desc.
    if (equalsLowerName(tag.text, nameLength, "table", 5) && tagHasSpace(tag.text) != 0) {
      IQvUniTable* table = startTable();
      if (table == nullptr) {
        break;
      }
      AttributeWant wants[] = {{"id", 2}, {"type", 4}, {"desc", 4}};
      findAttributes(tag, wants, 3);
      attributeText(wants[0], text);
      table->setId(text.c_str());
      attributeText(wants[1], text);
      table->setType(text.c_str());
      attributeText(wants[2], text);
      table->setDesc(text.c_str());
      if (closesItself(tag.text, tag.length)) {
        current = nullptr;
      }
    } else if (equalsLowerName(tag.text, nameLength, "record", 6)) {
      if (current == nullptr && startTable() == nullptr) {
        break;
      }
      QvUniRecord* record = QvUniRecord::create(fieldsOfLast);
      if (record == nullptr) {
        break;
      }
      current->addRecord(record);
      // A record cut off, or nesting too deep, keeps what was read and ends the read: going on
      // would take the records inside it for records of the table.
      if (parseRecordElement(file, record, tag, buffer, fieldsOfLast) != 1) {
        break;
      }
    } else if (equalsLowerName(tag.text, nameLength, "/table", 6)) {
      current = nullptr;
    }
  }
}

// The tables of an open file go to tables (null when it holds none); line takes the first line.
void readTables(FILE* file, char (&line)[kLineSize], IQvUniTable*& tables) {
  if (std::fgets(line, sizeof line, file) == nullptr) {
    return;
  }
  // A first line longer than the read goes on in the scanner's pieces: its end is not the
  // line's end, and trimming it would cut spaces out of the middle of a tag.
  const size_t length = std::strlen(line);
  const bool whole = (length > 0 && line[length - 1] == '\n') || std::feof(file) != 0;
  char* first = whole ? trimLine(line) : line;
  while (!whole && *first == ' ') {
    ++first;
  }
  if (equalsNoCase(first, "<QvUniRecord")) {
    tables = readLegacy(file);
  } else {
    readXml(file, first, tables);
  }
}

} // namespace

int writeTableFile(const char* path, const IQvUniTable* first) {
  return rewriteFile(path, [first](FILE* file) { return writeTables(file, first); });
}

int writeRecordFile(const char* path, const IQvUniRecord* first) {
  return rewriteFile(path, [first](FILE* file) { return writeOneTable(file, first); });
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
  QvAllocationWatch watch;
  try {
    readTables(file, line, tables);
  } catch (const std::bad_alloc&) {
    noteAllocationFailure();
  }
  // A read that failed before the end leaves the stream's error set, whichever reader stopped.
  const bool readFailed = std::ferror(file) != 0;
  std::fclose(file);
  // A file read only in part is not handed out as if it were whole.
  if ((watch.failed() || readFailed) && tables != nullptr) {
    tables->releaseChain();
    tables = nullptr;
  }
  return tables;
}

} // namespace qv
