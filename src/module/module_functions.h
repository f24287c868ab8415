// The handlers of the module's AutoLISP functions, one group per service, for the function table
// (host/lisp_table.h). Each reads its arguments with acedGetArgs, checks them as the host checks
// a built-in's (a wrong count or type prints the host's error and answers nil) and answers
// through the host's result calls. Every handler answers the status of its result call.
#pragma once

namespace qv {

// The host bridge (host_functions.cpp).
int lispIsNumeric();    // (cf:isnumeric text [maxLength]) -> T or nil
int lispNumericValue(); // (cf:numval text [maxLength]) -> the number, or -98765432.1
int lispUserBreak();    // (cf:userbreak) -> 1 once the user pressed ESC, else 0
int lispUserFolder();   // (cf:userfolder) -> the user folder the module read from usrdir$

// Survey quantities and dates (quantity_functions.cpp).
int lispAngle();        // (cf:angle degrees [secondsMode [style]]) -> 12°30'00"
int lispDegrees();      // (cf:degrees dms) -> decimal degrees of a packed D.MMSS, or nil
int lispBearing();      // (cf:bearing azimuth) -> (quadrant "D.MMSS"), or nil
int lispStation();      // (cf:station value [style [interval]]) -> "12+34.56"
int lispStationValue(); // (cf:stationvalue text) -> 1234.56
int lispFeetInches();   // (cf:feetinches feet) -> 3'5 3/8"
int lispDate();         // (cf:date day month year [picture]) -> the date text, or nil
int lispDateParse();    // (cf:dateparse text [picture]) -> (day month year), or nil

// Expressions (expression_functions.cpp).
int lispEvaluate(); // (cf:evaluate expression [variables]) -> the value, or nil

// Record tables (table_functions.cpp).
int lispTableRead();   // (cf:tableread path [tableId]) -> records, or nil
int lispTableWrite();  // (cf:tablewrite path records [tableId [type [desc]]]) -> T or nil
int lispTableSort();   // (cf:tablesort records [field [descending]]) -> records
int lispPointImport(); // (cf:pointimport path [delimiter [names]]) -> records, or nil
int lispTextExport();  // (cf:textexport path records [delimiter [header]]) -> T or nil

// Drawing storage and registry settings (storage_functions.cpp).
int lispStorageWrite(); // (cf:storagewrite keyPath text) -> T, or nil when it did not keep
int lispStorageRead();  // (cf:storageread keyPath) -> the text, or nil
int lispSettingWrite(); // (cf:settingwrite name text [perUser]) -> T, or nil
int lispSettingRead();  // (cf:settingread name [perUser]) -> the text ("" when missing)

// Message and prompt dialogs and the memory of dialog values (dialog_functions.cpp).
int lispAlert();         // (cf:alert message) -> nil, once the person closed the message
int lispAskString();     // (cf:askstring prompt [default [title]]) -> the text, or nil
int lispDialogSave();    // (cf:dialogsave dcl dialog ((key . value) ...) [shared]) -> T or nil
int lispDialogRestore(); // (cf:dialogrestore dcl dialog [where]) -> ((key . value) ...), or nil
int lispTileValue();     // (cf:tilevalue dcl dialog key [where]) -> the stored text, or nil
// Settings files and variable sets (settings_functions.cpp). A variable list is an association
// list of names and values, (("units" . "Feet") ("precision" . 3) ("scale" . 1.5)); the store is
// "file" with a path, "drawing" with a folder key path, or "lisp" (symbols of the names).
int lispPropertyRead();  // (cf:propread path name [default]) -> the value, default or nil
int lispPropertyWrite(); // (cf:propwrite path name value) -> T, or nil when not saved
int lispVariablesSave(); // (cf:varsave variables store [place]) -> T, or nil when not kept
int lispVariablesLoad(); // (cf:varload variables store [place]) -> the variables loaded, or nil
int lispConfigPik();     // (cf:configpik folder) -> T, or nil when config.pik was not rewritten

// File selection (file_functions.cpp): getfile.xml's favourites and remembered folders, and the
// drawing's places and recent files as record lists (record_lists.h).
int lispFavorite();       // (cf:favorite folder [remove]) -> T, or nil when not written
int lispRememberFolder(); // (cf:rememberfolder path) -> T, or nil when not written
int lispFileLists();      // (cf:filelists "crd;txt") -> (places recentFiles)

// File names, the file dialog, the project file and the unit system (path_functions.cpp).
int lispGetFile();       // (cf:getfile title [default [extensions [flags]]]) -> the path, or nil
int lispResolvePath();   // (cf:resolvepath base relative) -> the joined path
int lispValidPath();     // (cf:validpath text) -> T when acceptable as a typed folder or file
int lispFileParts();     // (cf:fileparts path) -> (folder name extension)
int lispShortName();     // (cf:shortname path) -> T when its name is an 8.3 name
int lispSafeName();      // (cf:safename name) -> trimmed, forbidden characters as '_'; nil if empty
int lispCopyFile();      // (cf:copyfile source target) -> T, or nil when not copied
int lispProjectFolder(); // (cf:projectfolder extension) -> its folder in the project file, or ""
int lispUnitsContext();  // (cf:unitscontext) -> (("volumefactor" . 27.0) ("unitabbrev" . "ft") ...)
int lispRunProgram();    // (cf:runprogram commandLine [wait]) -> the exit code if waited, else 0

// The project file, symbol drawings, file types, the system's file dialog and file checks
// (file_service_functions.cpp).
int lispRecordProject();     // (cf:recordproject path) -> the project file's path, nil if unnamed
int lispSymbolPath();        // (cf:symbolpath name folder [quiet]) -> drawing less ".DWG", or nil
int lispFindSymbol();        // (cf:findsymbol name [quiet]) -> the symbol's drawing, or nil
int lispAssociatedCommand(); // (cf:assoccommand fileName) -> the type's open command, or nil
int lispFileTime();          // (cf:filetime path) -> 200511211530.0, 0.0 when it cannot be opened
int lispDeleteBackup();      // (cf:deletebackup path) -> the backup's name, once it is deleted
int lispForbidden();         // (cf:forbidden name) -> T when empty or holding a forbidden character
int lispFileDialog();        // (cf:filedialog title default extensions [mode]) -> path, or nil
int lispIsDirectory();       // (cf:isdirectory path) -> T for an existing folder

// The current drawing's working files (drawing_file_functions.cpp).
int lispProductIni();      // (cf:productini) -> "quorvane.ini"
int lispDrawingBase();     // (cf:drawingbase) -> DWGNAME less its extension, or nil
int lispSurfaceState();    // (cf:surfacestate path) -> (existFlag finalFlag existName finalName)
int lispSurfacePath();     // (cf:surfacepath kind [namePart [number]]) -> the surface file's path
int lispChangeExtension(); // (cf:changeext path extension) -> the path with that extension
int lispSyncFile();        // (cf:syncfile sourceFolder destinationFolder name) -> T when copied
// Raster images (image_functions.cpp).
int lispAttachImage();  // (cf:attachimage path first second [keepProportions]) -> T, or nil
int lispModuleLoaded(); // (cf:moduleloaded name) -> T when the host lists the module loaded
// The view, annotation, geometry and drawing helpers (drawing_functions.cpp).
int lispSelectNear();     // (cf:selectnear point) -> the set of what the pick box holds, or nil
int lispSelectZoom();     // (cf:selectzoom "W"|"C" p1 p2) or ("WP"|"CP"|"F" points) -> set or nil
int lispRefreshView();    // (cf:refreshview) -> T
int lispLeaderArrow();    // (cf:leaderarrow start tip) -> a new set: arrowhead and line
int lispObjectToWorld();  // (cf:objecttoworld normal point) -> the point in world coordinates
int lispArcOrdinate();    // (cf:arcordinate x cx cy r x1 y1 x2 y2 [side]) -> y on the arc
int lispCurveElevation(); // (cf:curveelevation x1 y1 xv yv x2 y2 l1 l2 x) -> the elevation
int lispSnapOff();        // (cf:snapoff) -> T; object snap off around point input
int lispSnapOn();         // (cf:snapon) -> T; object snap back as it was
int lispSetColor();       // (cf:setcolor entity color) -> T
int lispSetLayer();       // (cf:setlayer entity layer) -> T
int lispWipeout();        // (cf:wipeout text [factor]) -> 1, or 0 when no wipeout was made
int lispColorRamp();      // (cf:colorramp [mode]) -> 29 packed colours
int lispRound();          // (cf:round value [step]) -> halves down, to a multiple of step
int lispGroupedNumber();  // (cf:groupednumber value [precision]) -> "1,234.50", or nil
int lispSplitText();      // (cf:splittext text) -> ("502 characters\7" ... "the rest")
int lispJoinText();       // (cf:jointext pieces) -> the text
int lispAppendMessage();  // (cf:appendmessage text [newline]) -> T
// Entities and selection sets (selection_functions.cpp).
int lispPickEntity(); // (cf:pickentity "LINE ARC" [prompt]) -> (ename (x y z)), or nil
int lispCopySet();    // (cf:copyset ss) -> a new set of the same entities, or nil
int lispAppendSet();  // (cf:appendset source target) -> T
int lispAddLayer();   // (cf:addlayer target layer) -> T
int lispEraseSet();   // (cf:eraseset ss) -> how many entities were erased
int lispFromHandle(); // (cf:fromhandle handle) -> ename (an erased one brought back), or nil
int lispModify();     // (cf:modify entityList) -> acdbEntMod's status
int lispRegisterApplication(); // (cf:regapp name) -> T, or nil when not registered
int lispLinkLabel();           // (cf:linklabel label first second third) -> T
int lispTagLast();             // (cf:taglast) -> T
int lispWildcardMatch();       // (cf:wcmatch text pattern) -> T or nil

} // namespace qv
