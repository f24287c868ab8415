// The host's system registry with its dynamic linker and editor, and the locking of modules.
#include "platform/acad/aced.h"
#include "platform/acad/rxdlinkr.h"
#include "platform/acad/rxregsvc.h"

#include <algorithm>
#include <cstring>

#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;

Module* moduleNamed(const char* moduleName) {
  if (moduleName == nullptr) {
    return nullptr;
  }
  for (auto& module : host().modules) {
    if (upperCase(module->name) == upperCase(moduleName)) {
      return module.get();
    }
  }
  return nullptr;
}

class DynamicLinker : public AcRxDynamicLinker {
public:
  bool registerAppMDIAware(void* appId) const override { return declare(appId, true); }
  bool registerAppNotMDIAware(void* appId) const override { return declare(appId, false); }
  bool isAppMDIAware(const char* moduleName) const override {
    Module* module = moduleNamed(moduleName);
    return module != nullptr && module->mdiAware;
  }
  bool isApplicationLocked(const char* moduleName) const override {
    return acrxApplicationIsLocked(moduleName);
  }

private:
  static bool declare(void* appId, bool aware) {
    Module* module = findModuleByAppId(host(), appId);
    if (module == nullptr) {
      return false;
    }
    module->mdiAware = aware;
    return true;
  }
};

class Editor : public AcEditor {
public:
  void addReactor(AcRxEventReactor* reactor) override {
    if (reactor != nullptr) {
      host().reactors.push_back(reactor);
    }
  }
  void removeReactor(AcRxEventReactor* reactor) override {
    auto& reactors = host().reactors;
    auto found = std::find(reactors.begin(), reactors.end(), reactor);
    if (found != reactors.end()) {
      reactors.erase(found);
    }
  }
};

class SystemRegistry : public AcRxDictionary {
public:
  AcRxObject* at(const char* key) const override {
    if (key == nullptr || shouldFail(FailableCall::AcRxDictionary_at)) {
      return nullptr;
    }
    if (std::strcmp(key, ACRX_DYNAMIC_LINKER) == 0) {
      return &linker_;
    }
    if (std::strcmp(key, ACED_EDITOR_OBJ) == 0) {
      return &editor_;
    }
    return nullptr;
  }

private:
  mutable DynamicLinker linker_;
  mutable Editor editor_;
};

bool setLocked(void* appId, bool locked) {
  Module* module = findModuleByAppId(host(), appId);
  if (module == nullptr) {
    return false;
  }
  module->locked = locked;
  return true;
}

} // namespace

AcRxDictionary* acrxSysRegistry() {
  static SystemRegistry registry;
  return &registry;
}

bool acrxUnlockApplication(void* appId) {
  return !shouldFail(FailableCall::acrxUnlockApplication) && setLocked(appId, false);
}

bool acrxLockApplication(void* appId) {
  return !shouldFail(FailableCall::acrxLockApplication) && setLocked(appId, true);
}

bool acrxApplicationIsLocked(const char* moduleName) {
  Module* module = moduleNamed(moduleName);
  return module != nullptr && module->locked;
}

namespace sim {

int editorReactorCount() {
  return static_cast<int>(host().reactors.size());
}

void notifyEditorReactors(const std::function<void(AcEditorReactor&)>& notification) {
  // A reactor may attach or detach reactors while it is notified.
  const std::vector<AcRxEventReactor*> attached = host().reactors;
  for (AcRxEventReactor* reactor : attached) {
    if (auto* editorReactor = dynamic_cast<AcEditorReactor*>(reactor)) {
      notification(*editorReactor);
    }
  }
}

} // namespace sim
