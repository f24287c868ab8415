// The module's one editor reactor, attached to the host's editor while the module is loaded.
#pragma once

#include "platform/acad/aced.h"

namespace qv {

// Follows drawing opens, commands and AutoLISP evaluations; none of these has an effect that a
// service depends on.
class ModuleEditorReactor : public AcEditorReactor {
public:
  void dwgFileOpened(AcDbDatabase* pDwg, char* fileName) override;
  void commandWillStart(const char* cmdStr) override;
  void commandEnded(const char* cmdStr) override;
  void commandCancelled(const char* cmdStr) override;
  void lispWillStart(const char* firstLine) override;
  void lispEnded() override;
  void lispCancelled() override;
};

// The module's reactor: null until the first drawing load, and again after the module unloads.
extern ModuleEditorReactor* editorReactor;

} // namespace qv
