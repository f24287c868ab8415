// The host's dynamic linker: how a loaded module declares its document mode.
#pragma once

#include "platform/acad/rxdict.h"

class AcRxDynamicLinker : public AcRxObject {
public:
  // The object as a dynamic linker; null when it is null or not one.
  static AcRxDynamicLinker* cast(AcRxObject* object) {
    return dynamic_cast<AcRxDynamicLinker*>(object);
  }
  // Declares that the module (appId: its kInitAppMsg packet) works with several open documents,
  // or only with one. True on success; false for an id that names no loaded module.
  virtual bool registerAppMDIAware(void* appId) const = 0;
  virtual bool registerAppNotMDIAware(void* appId) const = 0;
  // True when the module loaded under that file name declared itself document-aware.
  virtual bool isAppMDIAware(const char* moduleName) const = 0;
  // True when the module loaded under that file name is locked against unloading.
  virtual bool isApplicationLocked(const char* moduleName) const = 0;
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))
