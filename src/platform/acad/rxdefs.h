// Application message and return codes of the host's runtime (ObjectARX), with the host's values.
#pragma once

namespace AcRx {

// Messages that the host sends to a module's acrxEntryPoint.
enum AppMsgCode {
  kNullMsg = 0,
  kInitAppMsg = 1,
  kUnloadAppMsg = 2,
  kLoadDwgMsg = 3,
  kUnloadDwgMsg = 4,
  kInvkSubrMsg = 5,
  kCfgMsg = 6,
  kEndMsg = 7,
  kQuitMsg = 8,
  kSaveMsg = 9,
  kDependencyMsg = 10,
  kNoDependencyMsg = 11,
  kOleUnloadAppMsg = 12,
  kPreQuitMsg = 13,
  kInitDialogMsg = 14,
  kEndDialogMsg = 15,
  kSuspendMsg = 16,
  kLoadADSMsg = kLoadDwgMsg,
  kUnloadADSMsg = kUnloadDwgMsg
};

// What acrxEntryPoint answers. kRetError unloads the module, except for the unload messages.
enum AppRetCode { kRetOK = 0, kRetError = 3 };

// The orders in which a dictionary's iterator visits its entries: by key (compared without
// regard to case), or in the order the entries were added.
enum DictIterType { kDictSorted = 0, kDictCollated = 1 };

} // namespace AcRx

// The API version that this host runs; a module's acrxGetApiVersion answers it.
#define ACRX_API_VERSION 16

// The shape of a module's entry point.
typedef AcRx::AppRetCode (*AcRxEntryPointFunc)(AcRx::AppMsgCode msg, void* pkt);
