// The module's entry point: the host's messages in, the module's life cycle out.
#include "host/module_entry.h"

#include "host/editor_reactor.h"
#include "host/folders.h"
#include "host/lisp_symbols.h"
#include "host/lisp_table.h"
#include "platform/acad/aced.h"
#include "platform/acad/rxdlinkr.h"
#include "platform/acad/rxregsvc.h"

namespace {

void initApplication(void* appId) {
  if (AcRxDynamicLinker* linker = acrxDynamicLinker) {
    linker->registerAppMDIAware(appId);
  }
  acrxUnlockApplication(appId);
}

void loadDrawing() {
  // The reactor is attached once, when it is made: the editor keeps one pointer per attachment,
  // and unloading detaches it once.
  if (qv::editorReactor == nullptr) {
    qv::editorReactor = new qv::ModuleEditorReactor();
    if (AcEditor* editor = acedEditor) {
      editor->addReactor(qv::editorReactor);
    }
  }
  qv::getLispString(qv::userFolder, "usrdir$");
  qv::defineLispFunctions();
}

void unloadApplication() {
  if (qv::editorReactor == nullptr) {
    return;
  }
  if (AcEditor* editor = acedEditor) {
    editor->removeReactor(qv::editorReactor);
  }
  delete qv::editorReactor;
  qv::editorReactor = nullptr;
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
  switch (msg) {
  case AcRx::kInitAppMsg:
    initApplication(pkt);
    break;
  case AcRx::kUnloadAppMsg:
    unloadApplication();
    break;
  case AcRx::kLoadDwgMsg:
    loadDrawing();
    break;
  case AcRx::kUnloadDwgMsg:
    acrxUnlockApplication(pkt);
    qv::undefineLispFunctions();
    break;
  case AcRx::kInvkSubrMsg:
    qv::dispatchLispFunction();
    break;
  default:
    break;
  }
  return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
  return ACRX_API_VERSION;
}

extern "C" void _SetacrxPtp() {}
