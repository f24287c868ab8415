// Helpers shared by the record tests: records as comparable text.
#pragma once

#include <memory>
#include <string>

#include "records/records.h"
#include "testing/host_test.h"

namespace qvtest {

// Releases a chain when it goes out of scope, so that a test may end early (a skip).
struct ChainRelease {
  void operator()(qv::IQvUniRecord* chain) const { chain->releaseChain(); }
};
using OwnedChain = std::unique_ptr<qv::IQvUniRecord, ChainRelease>;

// A new record with the given id, for the caller to link or release.
inline qv::QvUniRecord* newRecord(const char* id) {
  auto* record = new qv::QvUniRecord;
  record->setId(id);
  return record;
}

// The ids of a chain, each followed by a space ("-" for an absent id).
inline std::string idsOf(const qv::IQvUniRecord* record) {
  std::string out;
  for (; record != nullptr; record = record->next()) {
    out += record->getId() != nullptr ? record->getId() : "-";
    out += ' ';
  }
  return out;
}

// A chain as "[id=x name=value:type {children}]..." ("noid" for an absent id, no ":" for an
// absent type, "(none)" for an absent value).
inline std::string describe(const qv::IQvUniRecord* record) {
  std::string out;
  for (; record != nullptr; record = record->next()) {
    out += "[";
    out += record->getId() != nullptr ? std::string("id=") + record->getId() : "noid";
    for (const qv::IQvUniField* f = record->firstField(); f != nullptr; f = f->next()) {
      out += std::string(" ") + f->getName() + "=" + (f->getValue() ? f->getValue() : "(none)");
      if (f->getType() != nullptr) {
        out += std::string(":") + f->getType();
      }
    }
    if (record->firstChild() != nullptr) {
      out += " {" + describe(record->firstChild()) + "}";
    }
    out += "]";
  }
  return out;
}

} // namespace qvtest
