// The stand-in host's session state: documents with their AutoLISP symbols and functions, loaded
// modules, the calls in progress, system variables, alerts, user breaks and editor reactors.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/acad/internal/lisp_value.h"
#include "platform/acad/rxdefs.h"
#include "platform/acad/sim_host.h"

namespace sim::detail {

// A function that a module defined in a document.
struct Definition {
  int moduleId = 0;
  int code = 0;
};

// A document; its AutoLISP symbols are those of its interpreter (lisp_machine.h).
struct Document {
  int id = 0;
  std::string name;   // file name, for DWGNAME
  std::string prefix; // folder with its final backslash, for DWGPREFIX
  bool titled = false;
  std::map<std::string, Definition> functions; // upper-cased name -> definition
};

struct Module {
  int id = 0;
  std::string name;
  AcRxEntryPointFunc entry = nullptr;
  bool locked = true; // the host loads modules locked
  bool mdiAware = false;
};

// One message being delivered to a module's entry point.
struct Call {
  int moduleId = 0;
  AcRx::AppMsgCode message = AcRx::kNullMsg;
  int funcCode = 0;
  resbuf* args = nullptr; // owned by the host for the length of a kInvkSubrMsg
  LispValue result;
  bool hasResult = false;
};

struct SysVar {
  short type = RTSHORT; // RTSHORT, RTREAL, RTSTR or RT3DPOINT
  bool readOnly = false;
  double low = 0.0, high = 0.0; // accepted range of numbers when low < high
  int16_t shortValue = 0;
  double real = 0.0;
  double point[3] = {0, 0, 0};
  std::string text;
};

struct HostState {
  HostState();
  std::vector<std::unique_ptr<Document>> documents;
  int currentDocument = 0;
  int nextDocumentId = 1;
  std::vector<std::unique_ptr<Module>> modules;
  int nextModuleId = 1;
  std::vector<Call> calls; // innermost last
  std::map<std::string, sim::LispFunction> familyFunctions;
  std::map<std::string, SysVar> sysVars;
  std::vector<std::string> alerts;
  std::function<void(const std::string&)> alertWatcher;
  std::vector<AcRxEventReactor*> reactors;
};

HostState& host();
std::string upperCase(const std::string& text);
Document* findDocument(HostState& state, int id);
Document* currentDocument(HostState& state);
Module* findModule(HostState& state, int id);
Module* findModuleByAppId(HostState& state, void* appId);
// The module whose entry point runs the innermost call; null outside any.
Module* callingModule(HostState& state);
// Sets ERRNO as the host does when a call fails.
void setErrno(int code);
// The host's variables as a new session has them.
std::map<std::string, SysVar> defaultSysVars();
// Writes DWGNAME, DWGPREFIX and DWGTITLED for the document.
void showDocumentInSysVars(HostState& state, const Document& document);
// Sends a message to a module's entry point with the module's application id as the packet. For
// a kInvkSubrMsg, invocation carries the function code and arguments in, and the result out.
AcRx::AppRetCode sendMessage(Module& module, AcRx::AppMsgCode message, Call* invocation = nullptr);
// As sendMessage; a module that answers kRetError (to any message but the unload messages) is
// then unloaded, as the host does.
AcRx::AppRetCode sendMessageOrDrop(Module& module, AcRx::AppMsgCode message,
                                   Call* invocation = nullptr);

} // namespace sim::detail
