// The module's editor reactor.
#include "host/editor_reactor.h"

namespace qv {

ModuleEditorReactor* editorReactor = nullptr;

void ModuleEditorReactor::dwgFileOpened(AcDbDatabase* pDwg, char* fileName) {}
void ModuleEditorReactor::commandWillStart(const char* cmdStr) {}
void ModuleEditorReactor::commandEnded(const char* cmdStr) {}
void ModuleEditorReactor::commandCancelled(const char* cmdStr) {}
void ModuleEditorReactor::lispWillStart(const char* firstLine) {}
void ModuleEditorReactor::lispEnded() {}
void ModuleEditorReactor::lispCancelled() {}

} // namespace qv
