// Application modules by file name: the list of loaded modules and the loading of the host's own
// modules (the raster image module).
#include <cstring>
#include <memory>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/raster_module.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;

constexpr int kErrnoOpenFailed = 73;    // the module's file could not be opened
constexpr int kErrnoAlreadyLoaded = 74; // the module is loaded already

// The host's own modules do their work in the host; their entry point answers every message.
AcRx::AppRetCode hostModuleEntry(AcRx::AppMsgCode /*msg*/, void* /*pkt*/) {
  return AcRx::kRetOK;
}

bool sameName(const std::string& left, const std::string& right) {
  return upperCase(left) == upperCase(right);
}

// The file name of a module path: the text after its last separator, with ".arx" added when the
// name has no extension.
std::string moduleFileName(const char* path) {
  std::string name = path;
  const size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) {
    name.erase(0, slash + 1);
  }
  if (name.find('.') == std::string::npos) {
    name += ".arx";
  }
  return name;
}

Module* loadedModule(const std::string& name) {
  for (auto& module : host().modules) {
    if (sameName(module->name, name)) {
      return module.get();
    }
  }
  return nullptr;
}

} // namespace

namespace sim::detail {

bool rasterModuleLoaded() {
  return loadedModule(kRasterModule) != nullptr;
}

} // namespace sim::detail

resbuf* acedArxLoaded() {
  if (shouldFail(FailableCall::acedArxLoaded)) {
    return nullptr;
  }
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (const auto& module : host().modules) {
    resbuf* item = acutNewRb(RTSTR);
    if (item == nullptr) {
      acutRelRb(head);
      return nullptr;
    }
    *tail = item;
    tail = &item->rbnext;
    item->resval.rstring = acad_strdup(module->name.c_str());
    if (item->resval.rstring == nullptr) {
      acutRelRb(head);
      return nullptr;
    }
  }
  return head;
}

int acedArxLoad(const char* app) {
  if (app == nullptr || *app == '\0') {
    setErrno(kErrnoOpenFailed);
    return RTERROR;
  }
  const std::string name = moduleFileName(app);
  if (loadedModule(name) != nullptr) {
    setErrno(kErrnoAlreadyLoaded);
    return RTERROR;
  }
  if (!sameName(name, kRasterModule) || shouldFail(FailableCall::acedArxLoad)) {
    setErrno(kErrnoOpenFailed);
    return RTERROR;
  }
  HostState& state = host();
  auto module = std::make_unique<Module>();
  module->id = state.nextModuleId++;
  module->name = kRasterModule;
  module->entry = hostModuleEntry;
  state.modules.push_back(std::move(module));
  return RTNORM;
}
