// The stand-in host's session state and the lookups that its calls share.
#include "platform/acad/internal/host_state.h"

#include "platform/internal/session.h"
#include "platform/win/string_win.h"

namespace sim::detail {

HostState::HostState() : sysVars(defaultSysVars()) {
  // The host starts with one new, untitled drawing.
  auto first = std::make_unique<Document>();
  first->id = nextDocumentId++;
  first->name = "Drawing1.dwg";
  first->prefix = sysVars["DWGPREFIX"].text;
  currentDocument = first->id;
  documents.push_back(std::move(first));
}

HostState& host() {
  return session<HostState>();
}

std::string upperCase(const std::string& text) {
  std::string upper = text;
  _strupr(upper.data());
  return upper;
}

Document* findDocument(HostState& state, int id) {
  for (auto& document : state.documents) {
    if (document->id == id) {
      return document.get();
    }
  }
  return nullptr;
}

Document* currentDocument(HostState& state) {
  return findDocument(state, state.currentDocument);
}

Module* findModule(HostState& state, int id) {
  for (auto& module : state.modules) {
    if (module->id == id) {
      return module.get();
    }
  }
  return nullptr;
}

Module* findModuleByAppId(HostState& state, void* appId) {
  for (auto& module : state.modules) {
    if (module.get() == appId) {
      return module.get();
    }
  }
  return nullptr;
}

Module* callingModule(HostState& state) {
  return state.calls.empty() ? nullptr : findModule(state, state.calls.back().moduleId);
}

void setErrno(int code) {
  host().sysVars["ERRNO"].shortValue = static_cast<int16_t>(code);
}

void showDocumentInSysVars(HostState& state, const Document& document) {
  state.sysVars["DWGNAME"].text = document.name;
  state.sysVars["DWGPREFIX"].text = document.prefix;
  state.sysVars["DWGTITLED"].shortValue = document.titled ? 1 : 0;
}

AcRx::AppRetCode sendMessage(Module& module, AcRx::AppMsgCode message, Call* invocation) {
  Call call = invocation != nullptr ? *invocation : Call();
  call.moduleId = module.id;
  call.message = message;
  host().calls.push_back(call);
  const AcRx::AppRetCode answer = module.entry(message, &module);
  HostState& state = host();
  if (invocation != nullptr) {
    *invocation = state.calls.back();
  }
  state.calls.pop_back();
  return answer;
}

} // namespace sim::detail
