// Control surface of the stand-in host's core: documents, loaded modules, the family's AutoLISP
// functions, system variables, alerts and editor notifications.
//
// A session starts with one untitled document, "Drawing1.dwg", open and current, and no module:
//
//   sim::loadModule(acrxEntryPoint);          // kInitAppMsg, then kLoadDwgMsg per document
//   resbuf* result = nullptr;
//   sim::callLisp("cf:isnumeric", args, &result);   // kInvkSubrMsg into the module
//   acutRelRb(result);
//   sim::unloadModule(acrxEntryPoint);        // kUnloadDwgMsg per document, then kUnloadAppMsg
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/acad/aced.h"
#include "platform/acad/adsdef.h"
#include "platform/acad/rxdefs.h"

namespace sim {

// ---- Modules
// Loads a module: kInitAppMsg (the packet is the module's application id), then kLoadDwgMsg for
// each open document, each made current in turn. False when the module is loaded already, when
// "loadModule" is made to fail, or when the module answers kInitAppMsg with kRetError (it is not
// loaded then). moduleName is the file name the host knows it by.
bool loadModule(AcRxEntryPointFunc entryPoint, const std::string& moduleName = "quorvane.arx");
// Unloads a module: kUnloadDwgMsg for each open document, then kUnloadAppMsg. False, and nothing
// sent, when the module is not loaded, is still locked, or "unloadModule" is made to fail.
bool unloadModule(AcRxEntryPointFunc entryPoint);
// True while the module is loaded.
bool isModuleLoaded(AcRxEntryPointFunc entryPoint);

// ---- Documents
// Opens a drawing (a Windows path; its folder and name set DWGPREFIX, DWGNAME and DWGTITLED),
// makes it current, clears ERRNO and sends kLoadDwgMsg to every loaded module. Returns the
// document's id; 0, with nothing opened, when "openDocument" is made to fail.
int openDocument(const std::string& path);
// Makes the document current and sends kUnloadDwgMsg to every loaded module, then closes it; the
// last opened of the others becomes current; with none left, DWGNAME, DWGPREFIX and DWGTITLED
// cannot be read. False for an unknown id, or when "closeDocument" is made to fail (the document
// stays open).
bool closeDocument(int documentId);
// Makes an open document current (its symbols and functions are the ones seen). False for an
// unknown id.
bool activateDocument(int documentId);
// The current document's id; 0 when no document is open.
int currentDocument();

// ---- AutoLISP calls
// The family's AutoLISP functions (not of any module), answered by C++ code. The function gets the
// call's arguments (null when none) and returns its result as a new host list (acutBuildList;
// null for nil), which goes to the caller. A later definition of the name replaces the earlier.
using LispFunction = std::function<resbuf*(const resbuf* args)>;
void defineLispFunction(const std::string& name, LispFunction function);
void undefineLispFunction(const std::string& name);
// Performs an AutoLISP call of name with the arguments as the user's LISP code would: a function
// that a module defined in the current document is called through that module's entry point
// (kInvkSubrMsg), a family function through its C++ code. RTNORM with *result the function's
// result (null for nil), which the caller releases; RTERROR when the name is not defined. An
// outermost call is announced to the editor's reactors (lispWillStart, then lispEnded).
int callLisp(const std::string& name, const resbuf* args, resbuf** result);

// ---- System variables
// Set a variable as the host itself does (read-only ones included); a name not yet known is
// created as a writable variable of that type.
void setSysVarShort(const std::string& name, int16_t value);
void setSysVarReal(const std::string& name, double value);
void setSysVarString(const std::string& name, const std::string& value);
void setSysVarPoint(const std::string& name, double x, double y, double z);
// Forgets a variable: the host then answers as for an unknown name.
void removeSysVar(const std::string& name);
// A variable's value as the host holds it, read without a host call (so that a failure sweep
// does not count it): one number for an integer or real, three for a point, none for a text or
// an unknown name.
std::vector<double> sysVarNumbers(const std::string& name);

// ---- The document window
// Sets the size in pixels of the client area of the window that shows the drawing
// (adsw_acadDocWnd; GetClientRect answers it). A session starts with 1000 by 600.
void setDocumentWindowSize(int width, int height);

// ---- Alerts
// Every text shown with acedAlert since the reset, in order. (ESC checks answer from the queue of
// the user's answers: sim::answer(sim::Answer::userBreak(true)).)
std::vector<std::string> alerts();
// Called with each alert's text as it is shown (a console shows it to the person); an empty
// function stops the calls. A reset forgets the watcher.
void watchAlerts(std::function<void(const std::string& text)> watcher);

// ---- Editor
// How many attachments of reactors the editor holds (a reactor added twice counts twice).
int editorReactorCount();
// Sends a notification to every attached reactor, once per attachment, in attachment order:
//   sim::notifyEditorReactors([](AcEditorReactor& r) { r.commandWillStart("LINE"); });
void notifyEditorReactors(const std::function<void(AcEditorReactor&)>& notification);

} // namespace sim
