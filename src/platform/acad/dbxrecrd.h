// Xrecords of the host's drawing database: a list of values under group codes 1 to 369, stored
// and handed back as result-buffer lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbmain.h"

class AcDbXrecord : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbXrecord);

  AcDbXrecord() = default;

  // A new copy of the stored list in *list (null for an empty Xrecord), which the caller releases
  // with acutRelRb. eOutOfMemory (nothing handed back) when host memory runs out.
  Acad::ErrorStatus rbChain(resbuf** list, AcDbDatabase* auxDb = nullptr) const;
  // Replaces the stored list with a copy of list. eInvalidResBuf (nothing changed) for a group
  // code outside 1..369; eNotOpenForWrite unless open for write.
  Acad::ErrorStatus setFromRbChain(const resbuf& list, AcDbDatabase* auxDb = nullptr);

private:
  struct Item {
    short type = 0;
    ads_u_val value{}; // numbers, points and names; strings and chunks live in bytes
    std::string bytes; // text or binary chunk
  };
  std::vector<Item> items_;
};
