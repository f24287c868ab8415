// The module's AutoLISP function table: names, handlers, their definition in a drawing and the
// dispatch of calls. The handlers use services of every layer, so the table lives here, at the
// top; the entry point below it knows only the declarations of host/lisp_table.h.
#include "host/lisp_table.h"

#include <new>

#include "module/lisp_args.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

// A name's index is its function code; the handler of the same index serves it.
// clang-format off
const char* const lispFunctionNames[] = {
    "cf:isnumeric",    "cf:numval",      "cf:userbreak",  "cf:userfolder",   "cf:angle",
    "cf:degrees",      "cf:bearing",     "cf:station",    "cf:stationvalue", "cf:feetinches",
    "cf:date",         "cf:dateparse",   "cf:evaluate",   "cf:tableread",    "cf:tablewrite",
    "cf:tablesort",    "cf:pointimport", "cf:textexport", "cf:storagewrite", "cf:storageread",
    "cf:settingwrite", "cf:settingread",
    "cf:alert", "cf:askstring", "cf:dialogsave", "cf:dialogrestore", "cf:tilevalue",
    "cf:propread", "cf:propwrite", "cf:varsave", "cf:varload", "cf:configpik",
    "cf:favorite", "cf:rememberfolder", "cf:filelists",
    "cf:getfile", "cf:resolvepath", "cf:validpath", "cf:fileparts", "cf:shortname",
    "cf:safename", "cf:copyfile", "cf:projectfolder", "cf:unitscontext", "cf:runprogram",
    "cf:recordproject", "cf:symbolpath", "cf:findsymbol", "cf:assoccommand", "cf:filetime",
    "cf:deletebackup", "cf:forbidden", "cf:filedialog", "cf:isdirectory",
    "cf:productini", "cf:drawingbase", "cf:surfacestate", "cf:surfacepath", "cf:changeext",
    "cf:syncfile",
    "cf:attachimage", "cf:moduleloaded",
    "cf:selectnear", "cf:selectzoom", "cf:refreshview", "cf:leaderarrow", "cf:objecttoworld",
    "cf:arcordinate", "cf:curveelevation", "cf:snapoff", "cf:snapon", "cf:setcolor",
    "cf:setlayer", "cf:wipeout", "cf:colorramp", "cf:round", "cf:groupednumber",
    "cf:splittext", "cf:jointext", "cf:appendmessage",
    "cf:pickentity", "cf:copyset", "cf:appendset", "cf:addlayer", "cf:eraseset",
    "cf:fromhandle", "cf:modify", "cf:regapp", "cf:linklabel", "cf:taglast", "cf:wcmatch",
};
// clang-format on
const size_t lispFunctionCount = sizeof lispFunctionNames / sizeof lispFunctionNames[0];

namespace {

using Handler = int (*)();

// clang-format off
const Handler lispFunctionHandlers[] = {
    lispIsNumeric,    lispNumericValue, lispUserBreak,  lispUserFolder,   lispAngle,
    lispDegrees,      lispBearing,      lispStation,    lispStationValue, lispFeetInches,
    lispDate,         lispDateParse,    lispEvaluate,   lispTableRead,    lispTableWrite,
    lispTableSort,    lispPointImport,  lispTextExport, lispStorageWrite, lispStorageRead,
    lispSettingWrite, lispSettingRead,
    lispAlert, lispAskString, lispDialogSave, lispDialogRestore, lispTileValue,
    lispPropertyRead, lispPropertyWrite, lispVariablesSave, lispVariablesLoad, lispConfigPik,
    lispFavorite, lispRememberFolder, lispFileLists,
    lispGetFile, lispResolvePath, lispValidPath, lispFileParts, lispShortName,
    lispSafeName, lispCopyFile, lispProjectFolder, lispUnitsContext, lispRunProgram,
    lispRecordProject, lispSymbolPath, lispFindSymbol, lispAssociatedCommand, lispFileTime,
    lispDeleteBackup, lispForbidden, lispFileDialog, lispIsDirectory,
    lispProductIni, lispDrawingBase, lispSurfaceState, lispSurfacePath, lispChangeExtension,
    lispSyncFile,
    lispAttachImage, lispModuleLoaded,
    lispSelectNear, lispSelectZoom, lispRefreshView, lispLeaderArrow, lispObjectToWorld,
    lispArcOrdinate, lispCurveElevation, lispSnapOff, lispSnapOn, lispSetColor,
    lispSetLayer, lispWipeout, lispColorRamp, lispRound, lispGroupedNumber,
    lispSplitText, lispJoinText, lispAppendMessage,
    lispPickEntity, lispCopySet, lispAppendSet, lispAddLayer, lispEraseSet,
    lispFromHandle, lispModify, lispRegisterApplication, lispLinkLabel, lispTagLast, lispWildcardMatch,
};
// clang-format on

static_assert(sizeof lispFunctionNames / sizeof lispFunctionNames[0] ==
                  sizeof lispFunctionHandlers / sizeof lispFunctionHandlers[0],
              "every function of the table has one handler");

} // namespace

int defineLispFunctions() {
  for (size_t code = 0; code < lispFunctionCount; ++code) {
    if (acedDefun(lispFunctionNames[code], static_cast<short>(code)) != RTNORM) {
      return RTERROR;
    }
  }
  return RTNORM;
}

int undefineLispFunctions() {
  for (size_t code = 0; code < lispFunctionCount; ++code) {
    acedUndef(lispFunctionNames[code], static_cast<short>(code));
  }
  return RTNORM;
}

int dispatchLispFunction() {
  const int code = acedGetFunCode();
  if (code < 0) {
    return 0;
  }
  if (static_cast<size_t>(code) < lispFunctionCount) {
    // No exception may reach the host: a handler that runs out of memory answers nil.
    try {
      lispFunctionHandlers[code]();
    } catch (const std::bad_alloc&) {
      printLispError("insufficient memory");
      acedRetNil();
    }
    return 1;
  }
  acdbFail("Received nonexistent function code.");
  return 0;
}

} // namespace qv
