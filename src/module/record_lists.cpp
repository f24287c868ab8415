// Record chains to and from AutoLISP lists of records.
#include "module/record_lists.h"

#include <string>

#include "module/lisp_args.h"
#include "module/lisp_print.h"
#include "records/allocation_watch.h"
#include "records/uni_record.h"

namespace qv {

bool addRecordList(LispResult& result, const IQvUniRecord* first) {
  if (first == nullptr) {
    return result.nil();
  }
  result.open();
  for (const IQvUniRecord* record = first; record != nullptr; record = record->next()) {
    result.open();
    result.text(record->getId());
    for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
      result.open();
      result.text(field->getName() != nullptr ? field->getName() : "");
      result.dot();
      result.text(field->getValue() != nullptr ? field->getValue() : "");
      result.close();
    }
    result.close();
  }
  return result.close();
}

namespace {

bool malformed(const char* predicate, const resbuf* item) {
  printLispError(
      ("bad argument type: " + std::string(predicate) + " " + printLispValue(item)).c_str());
  return false;
}

// Adds the field starting at item ((name . value) or (name value)) to record.
bool readField(const resbuf* item, IQvUniRecord* record) {
  const resbuf* name = item->rbnext;
  if (name == nullptr || name->restype != RTSTR) {
    return malformed("consp", item);
  }
  const resbuf* value = name->rbnext;
  if (value != nullptr && value->restype == RTDOTE) {
    value = value->rbnext;
  }
  if (value == nullptr || value->rbnext == nullptr || value->rbnext->restype != RTLE) {
    return malformed("consp", item);
  }
  switch (value->restype) {
  case RTSTR:
    record->setField(name->resval.rstring, value->resval.rstring, 0, nullptr);
    return true;
  case RTSHORT:
    record->setFieldLong(name->resval.rstring, value->resval.rint, 0, nullptr);
    return true;
  case RTLONG:
    record->setFieldLong(name->resval.rstring, value->resval.rlong, 0, nullptr);
    return true;
  case RTREAL:
    record->setFieldReal(name->resval.rstring, value->resval.rreal, 0, nullptr);
    return true;
  default:
    return malformed("consp", item);
  }
}

// Reads the record starting at item (its RTLB) into record.
bool readRecord(const resbuf* item, IQvUniRecord* record) {
  const resbuf* part = item->rbnext;
  if (part != nullptr && (part->restype == RTSTR || part->restype == RTNIL)) {
    if (part->restype == RTSTR) {
      record->setId(part->resval.rstring);
    }
    part = part->rbnext;
  }
  for (; part != nullptr && part->restype != RTLE; part = skipValue(part)) {
    if (part->restype != RTLB || !readField(part, record)) {
      return part->restype == RTLB ? false : malformed("listp", part);
    }
  }
  return true;
}

} // namespace

bool readRecordList(const resbuf* list, IQvUniRecord** first) {
  *first = nullptr;
  if (list == nullptr) {
    return true;
  }
  QvAllocationWatch watch;
  IQvUniRecord* last = nullptr;
  bool ok = true;
  for (const resbuf* item = list->rbnext; ok && item != nullptr && item->restype != RTLE;
       item = skipValue(item)) {
    if (item->restype != RTLB) {
      ok = malformed("listp", item);
      break;
    }
    IQvUniRecord* record = QvUniRecord::create();
    if (record == nullptr) {
      break;
    }
    // Linked before it is filled, so that a failure releases it with the rest.
    if (last == nullptr) {
      *first = record;
    } else {
      last->setNext(record);
    }
    last = record;
    ok = readRecord(item, record);
  }
  if (ok && watch.failed()) {
    printLispError("insufficient memory");
    ok = false;
  }
  if (!ok && *first != nullptr) {
    (*first)->releaseChain();
    *first = nullptr;
  }
  return ok;
}

} // namespace qv
