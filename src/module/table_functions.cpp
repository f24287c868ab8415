// Record tables as AutoLISP functions: record-table files, sorting, the import of point files
// and the export of delimited text. Tables travel as lists of records (record_lists.h).
#include <cstring>
#include <vector>

#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "module/record_lists.h"
#include "platform/acad/acedads.h"
#include "records/allocation_watch.h"
#include "records/delimited_text.h"
#include "records/record_sort.h"
#include "records/table_file.h"
#include "records/uni_table.h"

namespace qv {

namespace {

// Releases a record chain however the function ends.
class ChainHolder {
public:
  ChainHolder() = default;
  ChainHolder(const ChainHolder&) = delete;
  ChainHolder& operator=(const ChainHolder&) = delete;
  ~ChainHolder() {
    if (first != nullptr) {
      first->releaseChain();
    }
  }
  IQvUniRecord* first = nullptr;
};

// The field delimiter: the first character of the optional text, "," when absent or empty.
char delimiterOf(const char* text) {
  return text != nullptr && text[0] != '\0' ? text[0] : ',';
}

int answerRecords(const IQvUniRecord* first) {
  LispResult result;
  addRecordList(result, first);
  return result.answer();
}

} // namespace

int lispTableRead() {
  LispArgs args;
  const char* path = nullptr;
  const char* tableId = nullptr;
  if (!args.text(path) || !args.optionalText(tableId) || !args.done()) {
    return acedRetNil();
  }
  IQvUniTable* tables = readTableFile(path);
  if (tables == nullptr) {
    return acedRetNil();
  }
  const IQvUniTable* table = tableId != nullptr ? tables->findTable(tableId, nullptr) : tables;
  const int status = table != nullptr ? answerRecords(table->firstRecord()) : acedRetNil();
  tables->releaseChain();
  return status;
}

int lispTableWrite() {
  LispArgs args;
  const char* path = nullptr;
  const resbuf* records = nullptr;
  const char* tableId = nullptr;
  const char* type = nullptr;
  const char* desc = nullptr;
  if (!args.text(path) || !args.list(records) || !args.optionalText(tableId) ||
      !args.optionalText(type) || !args.optionalText(desc) || !args.done()) {
    return acedRetNil();
  }
  ChainHolder chain;
  if (!readRecordList(records, &chain.first)) {
    return acedRetNil();
  }
  if (tableId == nullptr) {
    return writeRecordFile(path, chain.first) ? acedRetT() : acedRetNil();
  }
  QvUniTable* table = QvUniTable::create();
  if (table == nullptr) {
    printLispError("insufficient memory");
    return acedRetNil();
  }
  table->setId(tableId);
  table->setType(type);
  table->setDesc(desc);
  table->setFirstRecord(chain.first); // the table owns the records now
  chain.first = nullptr;
  const int written = writeTableFile(path, table);
  table->release();
  return written ? acedRetT() : acedRetNil();
}

int lispTableSort() {
  LispArgs args;
  const resbuf* records = nullptr;
  const char* field = nullptr;
  bool descending = false;
  if (!args.list(records) || !args.optionalText(field) || !args.optionalFlag(descending) ||
      !args.done()) {
    return acedRetNil();
  }
  ChainHolder chain;
  if (!readRecordList(records, &chain.first)) {
    return acedRetNil();
  }
  sortRecords(&chain.first, field, descending ? 1 : 0);
  return answerRecords(chain.first);
}

namespace {

// Point files name no columns: the first is the point's name, the rest take these names.
constexpr const char* kPointColumns[] = {"north", "east", "elevation", "description"};

// Reads the optional list of column names into names; false (reported) when an item is not a
// text.
bool readColumnNames(LispArgs& args, const resbuf* list, std::vector<const char*>& names) {
  if (list == nullptr) {
    names.assign(std::begin(kPointColumns), std::end(kPointColumns));
    return true;
  }
  for (const resbuf* item = list->rbnext; item != nullptr && item->restype != RTLE;
       item = skipValue(item)) {
    if (item->restype != RTSTR) {
      return args.refuse("stringp", item);
    }
    names.push_back(item->resval.rstring);
  }
  return true;
}

// Turns a record of numbered columns into a point: column 1 becomes the id, column k the field
// names[k - 2]; columns past the names keep their numbers.
void nameColumns(IQvUniRecord* record, const std::vector<const char*>& names) {
  IQvUniField* field = record->firstField();
  if (field != nullptr) {
    record->setId(field->getValue());
    record->removeField(field);
  }
  size_t column = 0;
  for (field = record->firstField(); field != nullptr; field = field->next(), ++column) {
    if (column < names.size()) {
      field->setName(names[column]);
    }
  }
}

// Drops the records without a point name (blank lines) and releases them; the new head.
IQvUniRecord* dropUnnamed(IQvUniRecord* first) {
  IQvUniRecord* head = nullptr;
  IQvUniRecord* last = nullptr;
  while (first != nullptr) {
    IQvUniRecord* record = first;
    first = record->next();
    record->setNext(nullptr);
    const char* id = record->getId();
    if (id == nullptr || id[0] == '\0') {
      record->release();
      continue;
    }
    if (last == nullptr) {
      head = record;
    } else {
      last->setNext(record);
    }
    last = record;
  }
  return head;
}

} // namespace

int lispPointImport() {
  LispArgs args;
  const char* path = nullptr;
  const char* delimiter = nullptr;
  const resbuf* columns = nullptr;
  std::vector<const char*> names;
  if (!args.text(path) || !args.optionalText(delimiter) || !args.optionalList(columns) ||
      !readColumnNames(args, columns, names) || !args.done()) {
    return acedRetNil();
  }
  QvAllocationWatch watch;
  ChainHolder chain;
  chain.first = readTextTable(path, delimiterOf(delimiter), nullptr, 0, 0, 0, 0);
  for (IQvUniRecord* record = chain.first; record != nullptr; record = record->next()) {
    nameColumns(record, names);
  }
  chain.first = dropUnnamed(chain.first);
  if (watch.failed()) {
    printLispError("insufficient memory");
    return acedRetNil();
  }
  return answerRecords(chain.first);
}

int lispTextExport() {
  LispArgs args;
  const char* path = nullptr;
  const resbuf* records = nullptr;
  const char* delimiter = nullptr;
  bool header = false;
  if (!args.text(path) || !args.list(records) || !args.optionalText(delimiter) ||
      !args.optionalFlag(header) || !args.done()) {
    return acedRetNil();
  }
  ChainHolder chain;
  if (!readRecordList(records, &chain.first)) {
    return acedRetNil();
  }
  // The point's name goes out as the first column, as a point file holds it.
  QvAllocationWatch watch;
  for (IQvUniRecord* record = chain.first; record != nullptr; record = record->next()) {
    if (record->getId() != nullptr) {
      record->insertFieldFirst("id", record->getId(), 0, nullptr);
    }
  }
  if (watch.failed()) {
    printLispError("insufficient memory");
    return acedRetNil();
  }
  const int written =
      writeDelimitedFile(path, delimiterOf(delimiter), header ? 1 : 0, chain.first, -1);
  return written ? acedRetT() : acedRetNil();
}

} // namespace qv
