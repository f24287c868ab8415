// The host's life cycle of modules and documents: which messages a module's entry point gets, in
// the host's order, as modules load and unload and documents open and close.
#include <algorithm>

#include "platform/acad/internal/document_databases.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace sim::detail {

namespace {

Module* moduleOf(HostState& state, AcRxEntryPointFunc entryPoint) {
  for (auto& module : state.modules) {
    if (module->entry == entryPoint) {
      return module.get();
    }
  }
  return nullptr;
}

std::vector<int> moduleIds(HostState& state) {
  std::vector<int> ids;
  for (auto& module : state.modules) {
    ids.push_back(module->id);
  }
  return ids;
}

std::vector<int> documentIds(HostState& state) {
  std::vector<int> ids;
  for (auto& document : state.documents) {
    ids.push_back(document->id);
  }
  return ids;
}

void makeCurrent(HostState& state, Document& document) {
  state.currentDocument = document.id;
  showDocumentInSysVars(state, document);
}

void forgetModule(HostState& state, int moduleId) {
  for (auto& document : state.documents) {
    std::erase_if(document->functions,
                  [&](const auto& entry) { return entry.second.moduleId == moduleId; });
  }
  std::erase_if(state.modules, [&](const auto& module) { return module->id == moduleId; });
}

} // namespace

AcRx::AppRetCode sendMessageOrDrop(Module& module, AcRx::AppMsgCode message, Call* invocation) {
  const int moduleId = module.id;
  const AcRx::AppRetCode answer = sendMessage(module, message, invocation);
  // A module that answers an error is unloaded by the host, unless it was being unloaded anyway.
  if (answer == AcRx::kRetError && message != AcRx::kUnloadAppMsg &&
      message != AcRx::kOleUnloadAppMsg) {
    if (Module* still = findModule(host(), moduleId)) {
      sendMessage(*still, AcRx::kUnloadAppMsg);
      forgetModule(host(), moduleId);
    }
  }
  return answer;
}

} // namespace sim::detail

namespace sim {

using namespace detail;

bool loadModule(AcRxEntryPointFunc entryPoint, const std::string& moduleName) {
  HostState& state = host();
  if (entryPoint == nullptr || moduleOf(state, entryPoint) != nullptr ||
      shouldFail(FailableCall::loadModule)) {
    return false;
  }
  auto module = std::make_unique<Module>();
  module->id = state.nextModuleId++;
  module->name = moduleName;
  module->entry = entryPoint;
  const int moduleId = module->id;
  state.modules.push_back(std::move(module));
  if (sendMessage(*findModule(state, moduleId), AcRx::kInitAppMsg) == AcRx::kRetError) {
    forgetModule(host(), moduleId);
    return false;
  }
  const int current = host().currentDocument;
  for (int documentId : documentIds(host())) {
    Module* loaded = findModule(host(), moduleId);
    Document* document = findDocument(host(), documentId);
    if (loaded == nullptr) {
      return false;
    }
    if (document != nullptr) {
      makeCurrent(host(), *document);
      sendMessageOrDrop(*loaded, AcRx::kLoadDwgMsg);
    }
  }
  if (Document* document = findDocument(host(), current)) {
    makeCurrent(host(), *document);
  }
  return findModule(host(), moduleId) != nullptr;
}

bool unloadModule(AcRxEntryPointFunc entryPoint) {
  HostState& state = host();
  Module* module = moduleOf(state, entryPoint);
  if (module == nullptr || module->locked || shouldFail(FailableCall::unloadModule)) {
    return false;
  }
  const int moduleId = module->id;
  const int current = state.currentDocument;
  for (int documentId : documentIds(host())) {
    Module* loaded = findModule(host(), moduleId);
    Document* document = findDocument(host(), documentId);
    if (loaded != nullptr && document != nullptr) {
      makeCurrent(host(), *document);
      sendMessage(*loaded, AcRx::kUnloadDwgMsg);
    }
  }
  if (Document* document = findDocument(host(), current)) {
    makeCurrent(host(), *document);
  }
  if (Module* loaded = findModule(host(), moduleId)) {
    sendMessage(*loaded, AcRx::kUnloadAppMsg);
  }
  forgetModule(host(), moduleId);
  return true;
}

bool isModuleLoaded(AcRxEntryPointFunc entryPoint) {
  return moduleOf(host(), entryPoint) != nullptr;
}

int openDocument(const std::string& path) {
  if (shouldFail(FailableCall::openDocument)) {
    return 0;
  }
  HostState& state = host();
  auto document = std::make_unique<Document>();
  document->id = state.nextDocumentId++;
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) {
    document->name = path;
    document->prefix = defaultSysVars()["DWGPREFIX"].text;
  } else {
    document->name = path.substr(slash + 1);
    document->prefix = path.substr(0, slash + 1);
    document->titled = true;
  }
  const int documentId = document->id;
  makeCurrent(state, *document);
  setErrno(0); // a drawing opened or created starts with no error noted
  state.documents.push_back(std::move(document));
  for (int moduleId : moduleIds(host())) {
    Module* module = findModule(host(), moduleId);
    Document* opened = findDocument(host(), documentId);
    if (module != nullptr && opened != nullptr) {
      makeCurrent(host(), *opened);
      sendMessageOrDrop(*module, AcRx::kLoadDwgMsg);
    }
  }
  return documentId;
}

bool closeDocument(int documentId) {
  Document* document = findDocument(host(), documentId);
  if (document == nullptr || shouldFail(FailableCall::closeDocument)) {
    return false;
  }
  for (int moduleId : moduleIds(host())) {
    Module* module = findModule(host(), moduleId);
    Document* closing = findDocument(host(), documentId);
    if (module != nullptr && closing != nullptr) {
      makeCurrent(host(), *closing);
      sendMessageOrDrop(*module, AcRx::kUnloadDwgMsg);
    }
  }
  HostState& state = host();
  std::erase_if(state.documents, [&](const auto& open) { return open->id == documentId; });
  forgetDocumentDatabase(documentId);
  state.currentDocument = 0;
  if (!state.documents.empty()) {
    makeCurrent(state, *state.documents.back());
  }
  return true;
}

bool activateDocument(int documentId) {
  HostState& state = host();
  Document* document = findDocument(state, documentId);
  if (document == nullptr) {
    return false;
  }
  makeCurrent(state, *document);
  return true;
}

int currentDocument() {
  return host().currentDocument;
}

} // namespace sim
