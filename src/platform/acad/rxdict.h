// The host's system registry: the dictionary of the host's service objects.
#pragma once

#include "platform/acad/rxobject.h"

// A dictionary of host objects by name.
class AcRxDictionary : public AcRxObject {
public:
  // The object registered under the key ("DynamicLinker", "AcEditor"); null for an unknown or
  // null key. The host keeps ownership.
  virtual AcRxObject* at(const char* key) const = 0;
};

// The host's system registry. Never null.
AcRxDictionary* acrxSysRegistry();

#define ACRX_DYNAMIC_LINKER "DynamicLinker"
#define ACED_EDITOR_OBJ "AcEditor"
