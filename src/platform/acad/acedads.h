// The host's AutoLISP interface, system variables, alerts and user break (the ADS "aced" calls).
// Every call answers RTNORM on success; failures are noted in the system variable ERRNO where the
// host notes them.
#pragma once

#include "platform/acad/acdbads.h"
#include "platform/acad/adsdef.h"
#include "platform/win/windef.h"

// ---- The host's windows
// The host's main window, and the window inside it that shows the current drawing (its client
// area is the drawing's view).
HWND adsw_acadMainWnd();
HWND adsw_acadDocWnd();

// ---- Functions that a module defines in AutoLISP
// Defines the function name (upper-cased) with the code 0..32767 in the current document for the
// module whose entry point is running; a later definition of the same name wins. RTERROR for a
// null or empty name, a negative code, no current document, or a call made outside the module's
// entry point.
int acedDefun(const char* name, short funcNumber);
// Removes the module's definition of name with that code from the current document; RTERROR when
// there is none.
int acedUndef(const char* name, short funcNumber);
// Inside a kInvkSubrMsg: the code of the function that AutoLISP calls. Elsewhere RTERROR.
int acedGetFunCode();
// Inside a kInvkSubrMsg: the call's arguments, null when there are none. The host owns the list
// and releases it when the call ends: do not release it.
struct resbuf* acedGetArgs();

// Results of the function being called. Each one replaces the result set before it (the last one
// wins); a function that sets none returns nil. RTERROR outside a kInvkSubrMsg.
int acedRetInt(int value); // RTSHORT when it fits 16 bits, else RTLONG
int acedRetReal(ads_real value);
int acedRetPoint(const ads_point point); // RT3DPOINT; RTERROR for a null point
int acedRetStr(const char* text);        // RTERROR for a null text
// type RTENAME or RTPICKS; a selection set so returned passes to AutoLISP, which frees it when
// its last value goes (the application does not free it).
int acedRetName(const ads_name name, int type);
int acedRetNil();
int acedRetT();
int acedRetVoid();
// A copy of the list (null: nil) as the result, in list brackets.
int acedRetList(const struct resbuf* list);
// A copy of one value; RTERROR for null, for RTLONG and for a type that has no value to return.
int acedRetVal(const struct resbuf* value);

// Calls an AutoLISP function of a loaded module or of the family's AutoLISP code. args: an RTSTR
// with the function's name, then its arguments. RTNORM when the function was called, with
// *result its result (null for nil or no result), a list that the caller releases. RTERROR, with
// *result null, when the name is undefined, when args or result is null, or when the function
// belongs to the module that is calling.
int acedInvoke(const struct resbuf* args, struct resbuf** result);

// ---- AutoLISP symbols of the current document (names without regard to case)
// *value becomes a new list that the caller releases: one buffer for an atom, RTLB ... RTLE for a
// list. A missing or nil symbol answers RTNORM with *value null. RTERROR for a null argument, no
// current document, or a name that holds a function (ERRNO 84).
int acedGetSym(const char* name, struct resbuf** value);
// Sets the symbol, creating it when needed: one buffer sets an atom (RTNIL: nil), a chain sets a
// list. The value is copied. RTERROR (and ERRNO) for a null name or value, an invalid name (83)
// or a type that a symbol cannot hold (93).
int acedPutSym(const char* name, struct resbuf* value);

// ---- System variables (names without regard to case)
// Fills the caller's buffer with the variable's type and value; a string value is a new block of
// the host allocator that the caller frees (acutRelRb frees it with the buffer). RTERROR for an
// unknown name or a null argument.
int acedGetVar(const char* name, struct resbuf* result);
// Sets the variable from a buffer of a fitting type (a 16-bit integer for integer variables; an
// integer also serves for a real, a 2D point for a 3D one). RTERROR with ERRNO 20 for a read-only
// variable, 93 for a wrong type, 22 for a value out of range; RTERROR for an unknown name.
int acedSetVar(const char* name, const struct resbuf* value);

// ---- Files
// Looks for a file as the host does, without adding an extension: a name with a drive or a folder
// only there; otherwise in the current folder, the drawing's folder (DWGPREFIX) and the support
// folders (ACADPREFIX, separated by ';'), in that order. RTNORM with the path found in result (at
// most 511 characters and the NUL; a name found in the current folder is given as it was
// written); RTERROR, result emptied, when no file is found or an argument is null.
int acedFindFile(const char* fname, char* result);

// ---- Text
// The box of a text as if drawn at 0,0,0 with rotation 0: p1 its lower-left, p2 its upper-right
// corner. The list holds (1 . text) at least (an ATTDEF's text is its group 2), with the height
// (40, else TEXTSIZE) and width factor (41, else 1); a whole TEXT, ATTDEF or ATTRIB entity list
// serves. The stand-in measures by one rule, as a font with one cell for every character would:
// each character is 0.8 x height x width factor wide, the box reaches up to the height and, when
// the text holds a letter with a descender (g j p q y) or , ;, down to a third of the height
// below the baseline. RTNORM; RTERROR (points untouched) for a null argument, a list without
// its text or of another entity type.
int acedTextBox(const struct resbuf* args, ads_point p1, ads_point p2);

// ---- Host commands
// Runs host commands from (type, value) pairs ending with 0 or RTNONE: RTSTR texts (a command's
// name, "_."-prefixed or not, without regard to case, or an answer to its prompt; "" is Enter),
// RTREAL, RTSHORT, RTLONG values, RTPOINT and RT3DPOINT points (ads_point), RTENAME entity names
// and RTPICKS selection sets (ads_name). RTNORM when the commands ran; RTERROR for an unknown
// command (the host's "Unknown command" line is printed) or a command that failed on its input;
// RTCAN when the person pressed ESC; RTREJ when no drawing is open, a value is missing or a
// command's name is not a text.
int acedCommand(int rtype, ...);
// As acedCommand, the pairs given as a list.
int acedCmd(const struct resbuf* args);

// ---- Messages and the user
// Shows a modal alert with the text. RTERROR for a null text.
int acedAlert(const char* text);
// Non-zero when the user has pressed ESC since the last check; the check clears it.
int acedUsrBrk();
// Prints an application error message on the command line.
void acdbFail(const char* text);

// The host's file dialog. flags: 1 a new file (an existing one is confirmed with a Yes/No box
// unless 32 is set; without 1 the file must exist), 2 no "Type it" button, 4 any extension
// (else a name whose extension is not one of ext, a ';' list, gets the first one appended), 8
// search the support path and answer the bare name when found there (without 1), 16 defawlt is
// a folder, 32 no overwrite box, 64 URLs allowed. The person's choice is the next queued
// Answer::fileName (a bare name lies in the default's folder), logged as "acedGetFileD" with the
// title, the default, ext and the flags. RTNORM with result->restype RTSTR and
// result->resval.rstring a new host string (released with the result, or with acad_free); RTCAN
// when the person cancels, the result left as it was; RTERROR for a null result.
int acedGetFileD(const char* title, const char* defawlt, const char* ext, int flags,
                 struct resbuf* result);

// ---- Application modules
// The file names (without folders) of the loaded application modules, in the order they were
// loaded, as a new list of RTSTR items that the caller releases; null when memory runs out.
struct resbuf* acedArxLoaded();
// Loads an application module by file name (a folder and the ".arx" extension may be left out):
// RTNORM once loaded. RTERROR with ERRNO 74 when it is loaded already, and with ERRNO 73 when the
// host has no such module. The host's own modules are the ones it can load this way
// ("acismui.arx", the raster image module).
int acedArxLoad(const char* app);

// ---- Selection sets
// A set holds main entities of the drawing, each once, in the order added. The host holds at most
// 128 sets made by applications at once; each one made (even empty) is freed with acedSSFree.
// acedSSAdd: no entity and no set make a new empty set in result; an entity and no set a new set
// holding it; an entity and a set add the entity to the set (a member already is left as it is)
// and give the set's name in result (sname and result may be the same name). RTERROR with ERRNO
// 2 for a name that is not an entity, 3 when the host holds 128 sets, 4 for an unknown set.
int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
// Takes the entity out of the set; RTERROR when it is not a member or the set is unknown.
int acedSSDel(const ads_name ename, const ads_name ss);
// RTNORM when the entity is a member of the set, else RTERROR.
int acedSSMemb(const ads_name ename, const ads_name ss);
// Frees the set (a set that AutoLISP also holds goes when AutoLISP lets it go); RTERROR (ERRNO
// 4) for an unknown set.
int acedSSFree(const ads_name sname);
// The number of entities in the set; RTERROR (ERRNO 4) for an unknown set.
int acedSSLength(const ads_name sname, int32_t* length);
// The entity at index (0-based) of the set; RTERROR when the index is out of range.
int acedSSName(const ads_name sname, int32_t index, ads_name entity);

// Selects entities of the working drawing into a new set (freed with acedSSFree). str: null asks
// the person (each Answer::pick adds its entity; a pick on empty space, then an Answer::point for
// the opposite corner, adds a window dragged to the right or a crossing window dragged to the
// left; an Answer::text ends; a cancel answers RTCAN), or with pt1 given picks the entity drawn
// last within the pick box about pt1 (a 200th of VIEWSIZE each way); "X" every entity of model
// and paper space; "L" the last entity; "W" and "C" the window and crossing window of the
// corners pt1 and pt2; "WP", "CP" and "F" the window polygon, crossing polygon and fence of the
// points of the list pt1 (RTPOINT or RT3DPOINT items). The geometric modes look at model space.
// Erased entities are never selected; filter (null: none) is a filter list (-4 relational and
// logical groups, wild-cards in strings). RTNORM with the set in ss; RTERROR with no set made
// when nothing is selected, for a badly formed filter (ERRNO 56 to 67), an unknown mode (98),
// missing points, or when the host holds 128 sets (3).
int acedSSGet(const char* str, const void* pt1, const void* pt2, const struct resbuf* filter,
              ads_name ss);
// Asks the person to pick one entity (prompt null: "\nSelect object: "), from the queue of
// answers (Answer::pick: the entity and the point picked at). RTNORM with the entity and the
// point; RTERROR with ERRNO 7 for a pick that hits no entity, 52 for Enter (Answer::text);
// RTCAN when the person cancels.
int acedEntSel(const char* prompt, ads_name entity, ads_point point);
