// Column detection, fixed-width and delimited import, and delimited export of record chains.
#include "records/delimited_text.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/win/windows.h"
#include "records/allocation_watch.h"
#include "records/internal/line_reader.h"
#include "records/internal/no_case.h"
#include "records/internal/number_text.h"
#include "records/internal/text_lines.h"
#include "records/uni_record.h"
#include "support/file_rewrite.h"

namespace qv {

namespace {

constexpr int kMaskSize = 1023;      // detection looks at positions 0 to 1022
constexpr int kLineRead = 10240;     // a table line read holds at most 10239 characters
constexpr int kPreviewLastLine = 20; // a preview reads lines 0 to 20

// The column numbers as field names: "1", "2", ... made once per call.
class ColumnNames {
public:
  const std::string& operator()(size_t column) {
    while (names_.size() <= column) {
      names_.push_back(std::to_string(names_.size() + 1));
    }
    return names_[column];
  }

private:
  std::vector<std::string> names_;
};

const std::string kNoName;

// Builds the records of one table read: one per line, fields named by number or by the header.
class TableBuilder {
public:
  explicit TableBuilder(bool header) : header_(header) {}
  ~TableBuilder() {
    if (first_ != nullptr) {
      first_->releaseChain();
    }
  }

  // Starts the record of line number line (0-based after the skipped lines).
  void startLine(int line) {
    columnsOfLast_ = column_;
    headerLine_ = header_ && line == 0;
    column_ = 0;
    if (headerLine_) {
      return;
    }
    // Lines mostly have the columns of the one before.
    current_ = QvUniRecord::create(columnsOfLast_);
    if (current_ == nullptr) {
      return; // noted; the read answers null
    }
    if (first_ == nullptr) {
      first_ = current_;
    } else {
      last_->setNext(current_);
    }
    last_ = current_;
  }

  // Trims the length characters at text in place and stores them as the next column of the
  // current line.
  void storeTrimmed(char* text, size_t length) {
    size_t kept = 0;
    const char* trimmed = textfile::trimInPlace(text, length, &kept);
    store(trimmed, kept);
  }

  // Stores the length characters at text (no NUL among them, one after them) as the next column
  // of the current line.
  void store(const char* text, size_t length) {
    const size_t column = column_++;
    if (headerLine_) {
      if (headerNames_.size() <= column) {
        headerNames_.resize(column + 1);
      }
      headerNames_[column].assign(text, length);
      return;
    }
    if (current_ == nullptr) {
      return;
    }
    const std::string* name = &kNoName;
    if (!header_) {
      name = &numbers_(column);
    } else if (column < headerNames_.size()) {
      name = &headerNames_[column];
    }
    current_->fields().append(name->c_str(), name->size(), text, length);
  }

  IQvUniRecord* take() {
    IQvUniRecord* chain = first_;
    first_ = last_ = current_ = nullptr;
    return chain;
  }

private:
  bool header_;
  bool headerLine_ = false;
  size_t column_ = 0;
  size_t columnsOfLast_ = 0;
  ColumnNames numbers_;
  std::vector<std::string> headerNames_; // the header line's text for each column
  IQvUniRecord* first_ = nullptr;
  IQvUniRecord* last_ = nullptr;
  QvUniRecord* current_ = nullptr;
};

// The numbers of a positions text, separated by spaces or commas, each read as atol reads.
std::vector<int32_t> parsePositions(const char* text) {
  std::vector<int32_t> positions;
  const char* p = text;
  while (*p != '\0') {
    while (*p == ' ' || *p == ',') {
      ++p;
    }
    if (*p == '\0') {
      break;
    }
    const char* end = p;
    while (*end != '\0' && *end != ' ' && *end != ',') {
      ++end;
    }
    positions.push_back(readLong32(std::string(p, end).c_str()));
    p = end;
  }
  return positions;
}

// Stores characters [from, to) of the line (1-based, clipped to the line) trimmed; a range that
// is empty or lies past the end gives the empty text.
void storeRange(TableBuilder& table, const char* line, size_t length, int64_t from, int64_t to,
                std::vector<char>& piece) {
  const int64_t begin = (from < 1 ? 1 : from) - 1;
  const int64_t end = (to - 1) < static_cast<int64_t>(length) ? (to - 1) : length;
  size_t size = 0;
  if (end > begin) {
    size = static_cast<size_t>(end - begin);
    std::memcpy(piece.data(), line + begin, size); // size < length < piece.size()
  }
  table.storeTrimmed(piece.data(), size);
}

void splitFixedWidth(TableBuilder& table, const char* line, size_t length,
                     const std::vector<int32_t>& positions, std::vector<char>& piece) {
  int64_t start = 1;
  for (const int32_t position : positions) {
    storeRange(table, line, length, start, position, piece);
    start = position;
  }
  const int64_t restBegin = (start < 1 ? 1 : start) - 1;
  if (restBegin < static_cast<int64_t>(length)) {
    const size_t size = length - static_cast<size_t>(restBegin);
    std::memcpy(piece.data(), line + restBegin, size);
    size_t kept = 0;
    const char* rest = textfile::trimInPlace(piece.data(), size, &kept);
    if (kept != 0) {
      table.store(rest, kept);
    }
  }
}

void splitDelimited(TableBuilder& table, char* line, size_t length, char delimiter) {
  char* piece = line;
  char* const end = line + length;
  // Columns are short: a look at each character costs less than a search call per column.
  for (char* at = line; at < end; ++at) {
    if (*at == delimiter) {
      table.storeTrimmed(piece, static_cast<size_t>(at - piece));
      piece = at + 1;
    }
  }
  if (piece < end) {
    table.storeTrimmed(piece, static_cast<size_t>(end - piece));
  }
}

// detectTextColumns; readFailed tells a file that could not be read to its end (null then).
IQvUniRecord* detectColumns(const char* path, bool& readFailed) {
  QvAllocationWatch watch;
  readFailed = false;
  FILE* file = textfile::openForReading(path, -1);
  if (file == nullptr) {
    return nullptr;
  }
  bool marked[kMaskSize] = {};
  char line[kMaskSize];
  while (fgets(line, kMaskSize, file) != nullptr) {
    const size_t length = std::strlen(line);
    for (size_t i = 0; i < length; ++i) {
      if (line[i] != ' ' && line[i] != '\r' && line[i] != '\n') {
        marked[i] = true;
      }
    }
  }
  readFailed = ferror(file) != 0;
  fclose(file);
  if (readFailed) {
    return nullptr; // columns of part of the file would cut the rest wrongly
  }

  IQvUniRecord* first = nullptr;
  IQvUniRecord* column = nullptr;
  int count = 0;
  for (int position = 0; position < kMaskSize; ++position) {
    const bool before = position > 0 && marked[position - 1];
    if (marked[position] && !before) {
      QvUniRecord* next = QvUniRecord::create();
      if (next == nullptr) {
        break;
      }
      next->setId(std::to_string(++count).c_str());
      next->setFieldLong("first", position, 1, nullptr);
      if (first == nullptr) {
        first = next;
      } else {
        column->setNext(next);
      }
      column = next;
    } else if (!marked[position] && before) {
      column->setFieldLong("last", position - 1, 1, nullptr);
    }
  }
  if (watch.failed() && first != nullptr) {
    first->releaseChain();
    first = nullptr;
  }
  return first;
}

// Closes a stream on every way out, exceptions included.
struct StreamCloser {
  FILE* file;
  ~StreamCloser() {
    if (file != nullptr) {
      fclose(file);
    }
  }
};

IQvUniRecord* readTable(const char* path, char delimiter, char* columnPositions, int header,
                        int skip, int detect, int preview) {
  bool fixedWidth = false;
  std::vector<int32_t> positions;
  if (detect != 0) {
    fixedWidth = true;
    std::string text;
    bool readFailed = false;
    IQvUniRecord* columns = detectColumns(path, readFailed);
    if (readFailed) {
      return nullptr;
    }
    for (IQvUniRecord* column = columns; column != nullptr; column = column->next()) {
      int32_t last = 0;
      column->getFieldLong("last", last);
      text += std::to_string(static_cast<int64_t>(last) + 2) + " ";
    }
    if (columns != nullptr) {
      columns->releaseChain();
    }
    positions = parsePositions(text.c_str());
  } else if (columnPositions != nullptr) {
    char* trimmed = textfile::trimInPlace(columnPositions, std::strlen(columnPositions));
    if (trimmed != columnPositions) {
      std::memmove(columnPositions, trimmed, std::strlen(trimmed) + 1);
    }
    if (columnPositions[0] != '\0') {
      fixedWidth = true;
      positions = parsePositions(columnPositions);
    }
  }

  FILE* file = textfile::openForReading(path, -1);
  if (file == nullptr) {
    return nullptr;
  }
  const StreamCloser closer{file};
  LineReader lines(file, kLineRead);
  std::vector<char> piece(kLineRead);
  char* line = nullptr;
  size_t length = 0;
  for (int i = 0; i < skip && lines.next(line, length); ++i) {
  }
  TableBuilder table(header != 0);
  for (int number = 0; lines.next(line, length); ++number) {
    table.startLine(number);
    if (fixedWidth) {
      splitFixedWidth(table, line, length, positions, piece);
    } else {
      splitDelimited(table, line, length, delimiter);
    }
    if (preview != 0 && number >= kPreviewLastLine) {
      break;
    }
  }
  if (ferror(file) != 0) {
    return nullptr; // the builder releases the records of the part that was read
  }
  return table.take();
}

} // namespace

IQvUniRecord* detectTextColumns(const char* path) {
  bool readFailed = false;
  return detectColumns(path, readFailed);
}

IQvUniRecord* readTextTable(const char* path, char delimiter, char* columnPositions, int header,
                            int skip, int detect, int preview) {
  QvAllocationWatch watch;
  IQvUniRecord* first = nullptr;
  try {
    first = readTable(path, delimiter, columnPositions, header, skip, detect, preview);
  } catch (const std::bad_alloc&) {
    return nullptr; // the builder released what it had made
  }
  // A file read only in part is not handed out as if it were whole.
  if (watch.failed() && first != nullptr) {
    first->releaseChain();
    first = nullptr;
  }
  return first;
}

namespace {

int writeDelimited(const char* path, char delimiter, int header, const IQvUniRecord* first,
                   int share) {
  struct Column {
    const char* name;
    const char* type;
  };
  std::vector<Column> columns;
  for (const IQvUniRecord* record = first; record != nullptr; record = record->next()) {
    for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
      const char* name = field->getName() != nullptr ? field->getName() : "";
      bool known = false;
      for (const Column& column : columns) {
        if (equalsNoCase(column.name, name)) {
          known = true;
          break;
        }
      }
      if (!known) {
        columns.push_back(Column{name, field->getType()});
      }
    }
  }

  QvFileRewrite rewrite(path, nullptr, "w", share);
  FILE* out = rewrite.file();
  if (out == nullptr) {
    return 0;
  }
  if (header == 1) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) {
        fputc(delimiter, out);
      }
      fputs(columns[i].name, out);
    }
    fputc('\n', out);
  }
  for (const IQvUniRecord* record = first; record != nullptr; record = record->next()) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) {
        fputc(delimiter, out);
      }
      const char* value = textfile::fieldValue(record, columns[i].name);
      if (value == nullptr) {
        value = "";
      }
      if (columns[i].type != nullptr && equalsNoCase(columns[i].type, "string")) {
        fputc('"', out);
        fputs(value, out);
        fputc('"', out);
      } else {
        fputs(value, out);
      }
    }
    fputc('\n', out);
  }
  return rewrite.commit();
}

} // namespace

int writeDelimitedFile(const char* path, char delimiter, int header, const IQvUniRecord* first,
                       int share) {
  try {
    return writeDelimited(path, delimiter, header, first, share);
  } catch (const std::bad_alloc&) {
    return 0; // the rewrite was abandoned and the old file kept
  }
}

} // namespace qv
