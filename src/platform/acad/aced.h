// The host's editor: its event source (AcEditor) and the reactor that modules attach to it.
#pragma once

#include <cstdint>

#include "platform/acad/rxdict.h"
#include "platform/acad/rxevent.h"

class AcDbDatabase;
class AcDbIdMapping;
class AcDbVoidPtrArray;
class AcGePoint3d;

// Notifications of the editor. Every one does nothing unless a derived reactor overrides it.
class AcEditorReactor : public AcRxEventReactor {
public:
  // Commands and AutoLISP.
  virtual void unknownCommand(const char* cmdStr, AcDbVoidPtrArray* al) {}
  virtual void commandWillStart(const char* cmdStr) {}
  virtual void commandEnded(const char* cmdStr) {}
  virtual void commandCancelled(const char* cmdStr) {}
  virtual void commandFailed(const char* cmdStr) {}
  virtual void lispWillStart(const char* firstLine) {}
  virtual void lispEnded() {}
  virtual void lispCancelled() {}

  // Documents and databases.
  virtual void beginClose(AcDbDatabase* pDwg) {}
  virtual void beginDwgOpen(char* filename) {}
  virtual void endDwgOpen(const char* filename) {}
  virtual void initialDwgFileOpenComplete(AcDbDatabase* pDwg) {}
  virtual void dwgFileOpened(AcDbDatabase* pDwg, char* fileName) {}
  virtual void databaseConstructed(AcDbDatabase* pDwg) {}
  virtual void databaseToBeDestroyed(AcDbDatabase* pDwg) {}
  virtual void beginSave(AcDbDatabase* pDwg, const char* pIntendedName) {}
  virtual void saveComplete(AcDbDatabase* pDwg, const char* pActualName) {}
  virtual void abortSave(AcDbDatabase* pDwg) {}
  virtual void beginDxfIn(AcDbDatabase* pDwg) {}
  virtual void abortDxfIn(AcDbDatabase* pDwg) {}
  virtual void dxfInComplete(AcDbDatabase* pDwg) {}
  virtual void beginDxfOut(AcDbDatabase* pDwg) {}
  virtual void abortDxfOut(AcDbDatabase* pDwg) {}
  virtual void dxfOutComplete(AcDbDatabase* pDwg) {}
  virtual void beginInsert(AcDbDatabase* pTo, const char* pBlockName, AcDbDatabase* pFrom) {}
  virtual void otherInsert(AcDbDatabase* pTo, AcDbIdMapping& idMap, AcDbDatabase* pFrom) {}
  virtual void abortInsert(AcDbDatabase* pTo) {}
  virtual void endInsert(AcDbDatabase* pTo) {}
  virtual void beginWblock(AcDbDatabase* pTo, AcDbDatabase* pFrom) {}
  virtual void otherWblock(AcDbDatabase* pTo, AcDbIdMapping& idMap, AcDbDatabase* pFrom) {}
  virtual void abortWblock(AcDbDatabase* pTo) {}
  virtual void endWblock(AcDbDatabase* pTo) {}
  virtual void beginDeepClone(AcDbDatabase* pTo, AcDbIdMapping& idMap) {}
  virtual void beginDeepCloneXlation(AcDbIdMapping& idMap, int* pRetStatus) {}
  virtual void abortDeepClone(AcDbIdMapping& idMap) {}
  virtual void endDeepClone(AcDbIdMapping& idMap) {}
  virtual void beginAttach(AcDbDatabase* pTo, const char* pName, AcDbDatabase* pFrom) {}
  virtual void otherAttach(AcDbDatabase* pTo, AcDbDatabase* pFrom) {}
  virtual void abortAttach(AcDbDatabase* pFrom) {}
  virtual void endAttach(AcDbDatabase* pTo) {}
  virtual void beginRestore(AcDbDatabase* pTo, const char* pName, AcDbDatabase* pFrom) {}
  virtual void abortRestore(AcDbDatabase* pTo) {}
  virtual void endRestore(AcDbDatabase* pTo) {}
  virtual void xrefSubcommandBindItem(AcDbDatabase* pHost, int activity, void* blockId) {}
  virtual void xrefSubcommandAttachItem(AcDbDatabase* pHost, int activity, const char* pPath) {}
  virtual void xrefSubcommandOverlayItem(AcDbDatabase* pHost, int activity, const char* pPath) {}
  virtual void xrefSubcommandDetachItem(AcDbDatabase* pHost, int activity, void* blockId) {}
  virtual void xrefSubcommandPathItem(int activity, void* blockId, const char* pNewPath) {}
  virtual void xrefSubcommandReloadItem(AcDbDatabase* pHost, int activity, void* blockId) {}
  virtual void xrefSubcommandUnloadItem(AcDbDatabase* pHost, int activity, void* blockId) {}
  virtual void undoSubcommandAuto(int activity, bool state) {}
  virtual void undoSubcommandControl(int activity, int option) {}
  virtual void undoSubcommandBegin(int activity) {}
  virtual void undoSubcommandEnd(int activity) {}
  virtual void undoSubcommandMark(int activity) {}
  virtual void undoSubcommandBack(int activity) {}
  virtual void undoSubcommandNumber(int activity, int num) {}

  // Variables, selection, layouts, windows and quitting.
  virtual void sysVarWillChange(const char* varName) {}
  virtual void sysVarChanged(const char* varName, bool success) {}
  virtual void pickfirstModified() {}
  virtual void layoutSwitched(const char* newLayoutName) {}
  virtual void docFrameMovedOrResized(intptr_t hwndDocFrame, bool bMoved) {}
  virtual void mainFrameMovedOrResized(intptr_t hwndMainFrame, bool bMoved) {}
  virtual void beginDoubleClick(const AcGePoint3d& clickPoint) {}
  virtual void beginRightClick(const AcGePoint3d& clickPoint) {}
  virtual void beginQuit() {}
  virtual void quitAborted() {}
  virtual void quitWillStart() {}
  virtual void modelessOperationWillStart(const char* contextStr) {}
  virtual void modelessOperationEnded(const char* contextStr) {}

protected:
  // Refuses the operation being announced (for the notifications that allow it).
  void veto() { mVeto = 1; }

private:
  unsigned char mVeto = 0;
};

// The editor's event source. It keeps plain pointers to the reactors added to it: a reactor must
// be removed before it is destroyed.
class AcEditor : public AcRxObject {
public:
  // The object as the editor; null when it is null or not one.
  static AcEditor* cast(AcRxObject* object) { return dynamic_cast<AcEditor*>(object); }
  // Adds a reactor; adding it again makes it receive every notification once more. Null is
  // ignored.
  virtual void addReactor(AcRxEventReactor* reactor) = 0;
  // Removes one attachment of the reactor; a reactor not attached is ignored.
  virtual void removeReactor(AcRxEventReactor* reactor) = 0;
};

#define acedEditor AcEditor::cast(acrxSysRegistry()->at(ACED_EDITOR_OBJ))
