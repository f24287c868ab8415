#include "platform/win/sim_registry.h"

#include <fstream>
#include <iterator>

#include "platform/win/internal/reg_file.h"

namespace sim {

RegistryLoad loadRegistry(const std::string& fileBytes) {
  detail::RegistryState& state = detail::registry();
  std::lock_guard<std::mutex> lock(state.lock);
  detail::RegFileLoad loaded = detail::loadRegFile(state, fileBytes);
  return RegistryLoad{loaded.ok, std::move(loaded.problems)};
}

RegistryLoad loadRegistryFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  if (!in) {
    return RegistryLoad{false, {"cannot read " + hostPath}};
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return loadRegistry(bytes);
}

std::string exportRegistry(const std::string& keyPath, bool unicode) {
  detail::RegistryState& state = detail::registry();
  std::lock_guard<std::mutex> lock(state.lock);
  return detail::writeRegFile(state, keyPath, unicode);
}

bool saveRegistryFile(const std::string& hostPath, const std::string& keyPath) {
  const std::string bytes = exportRegistry(keyPath);
  if (bytes.empty()) {
    return false;
  }
  std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

int64_t openKeys() {
  detail::RegistryState& state = detail::registry();
  std::lock_guard<std::mutex> lock(state.lock);
  return static_cast<int64_t>(state.handles.size());
}

} // namespace sim
