// Starting and stopping the stand-in host around the console's scripts.
#include "console_session.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>

#include "console_lisp.h"
#include "host/module_entry.h"
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "settings/settings_store.h"
#include "support/file_rewrite.h"

namespace qvhost {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSupportFile = "qvanutil.lsp";
constexpr const char* kQuitMessage = "; error: quit / exit abort";

// The folder of the family's support files: the installed one beside the program, else the
// source tree's.
std::string supportFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path installed = program.parent_path().parent_path() / QV_INSTALLED_LISP_DIR;
    if (fs::exists(installed / kSupportFile, error)) {
      return installed.string();
    }
  }
  return QV_SOURCE_LISP_DIR;
}

// Makes the family's settings keys, per user and for the machine, when they are missing, as the
// family's installer does: settings are written only into keys that exist.
void installSettingsKeys() {
  char path[qv::settingsKeyPathSize];
  qv::settingsKeyPath(path);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      RegCloseKey(key);
    }
  }
}

bool makeFolder(const std::string& folder, std::string* message) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder, error)) {
    *message = "cannot make the folder " + folder;
    return false;
  }
  return true;
}

std::string describe(const sim::LispFailure& failure, const std::string& name) {
  std::string place = failure.file.empty() ? name : failure.file;
  std::string text = place + ":" + std::to_string(failure.line) + ": " +
                     failure.message.substr(failure.message.rfind("; error: ", 0) == 0 ? 9 : 0);
  if (!failure.expression.empty()) {
    text += "\n  in " + failure.expression;
  }
  return text;
}

std::string registryFile(const ConsoleOptions& options) {
  return (fs::path(options.userDir) / "registry.reg").string();
}

} // namespace

std::string hostFolderSymbol(const std::string& folder) {
  std::string symbol = fs::absolute(folder).lexically_normal().string();
  for (char& c : symbol) {
    c = c == '/' ? '\\' : c;
  }
  if (symbol.empty() || symbol.back() != '\\') {
    symbol += '\\';
  }
  return symbol;
}

bool ConsoleSession::start(std::string* message) {
  const std::string usr = options_.usrDir.empty() ? options_.userDir + "/user" : options_.usrDir;
  const std::string tmp = options_.tmpDir.empty() ? options_.userDir + "/tmp" : options_.tmpDir;
  const std::string lsp = options_.lispDir.empty() ? supportFolder() : options_.lispDir;
  if (!makeFolder(options_.userDir, message) || !makeFolder(usr, message) ||
      !makeFolder(tmp, message)) {
    return false;
  }
  std::error_code error;
  if (options_.keepRegistry && fs::exists(registryFile(options_), error)) {
    const sim::RegistryLoad loaded = sim::loadRegistryFile(registryFile(options_));
    if (!loaded.ok) {
      *message = registryFile(options_) + " is not a registry file";
      return false;
    }
    for (const std::string& problem : loaded.problems) {
      std::cerr << "qvhost: " << registryFile(options_) << ": " << problem << "\n";
    }
  }
  installSettingsKeys();
  if (!options_.drawing.empty()) {
    const int opened = sim::openDocument(options_.drawing);
    if (opened == 0) {
      *message = "cannot open the drawing " + options_.drawing;
      return false;
    }
    for (int id = 1; id < opened; ++id) {
      sim::closeDocument(id); // the new drawing the host started with
    }
  }
  // The family's folders first: the module reads usrdir$ as each drawing is loaded. Support files
  // and scripts are found in the family's folders as in the host's support path.
  defineConsoleFunctions();
  sim::setSysVarString("ACADPREFIX", hostFolderSymbol(lsp) + ";" + hostFolderSymbol(usr));
  std::string setup = "(setq lspdir$ " + sim::lispString(hostFolderSymbol(lsp)) + " usrdir$ " +
                      sim::lispString(hostFolderSymbol(usr)) + " tmpdir$ " +
                      sim::lispString(hostFolderSymbol(tmp)) + ")";
  bool quit = false;
  if (!runText(setup, message, &quit)) {
    return false;
  }
  if (options_.loadSupport &&
      !runText("(load " + sim::lispString(hostFolderSymbol(lsp) + kSupportFile) + ")", message,
               &quit)) {
    return false;
  }
  if (!sim::loadModule(acrxEntryPoint, "quorvane.arx")) {
    *message = "the host refused to load the module";
    return false;
  }
  moduleLoaded_ = true;
  return true;
}

bool ConsoleSession::runText(const std::string& text, std::string* message, bool* quit) {
  sim::LispFailure failure;
  *quit = false;
  if (sim::runLisp(text, nullptr, &failure)) {
    return true;
  }
  if (failure.message == kQuitMessage) {
    *quit = true;
    return true;
  }
  *message = describe(failure, "(text)");
  return false;
}

bool ConsoleSession::runScript(const std::string& script, std::string* message, bool* quit) {
  if (script == "-") {
    std::stringstream all;
    all << std::cin.rdbuf();
    sim::LispFailure failure;
    *quit = false;
    if (sim::runLisp(all.str(), nullptr, &failure) || failure.message == kQuitMessage) {
      *quit = !failure.message.empty();
      return true;
    }
    *message = describe(failure, "(standard input)");
    return false;
  }
  std::error_code error;
  if (!fs::is_regular_file(script, error)) {
    *message = script + ": no such script";
    return false;
  }
  return runText("(load " + sim::lispString(script) + ")", message, quit);
}

bool ConsoleSession::stop(std::string* message) {
  bool clean = true;
  if (moduleLoaded_ && !sim::unloadModule(acrxEntryPoint)) {
    *message = "the host could not unload the module";
    clean = false;
  }
  moduleLoaded_ = false;
  sim::watchAlerts(nullptr);
  sim::setAnswerSource(nullptr);
  if (options_.keepRegistry) {
    const std::string bytes = sim::exportRegistry("", true);
    qv::QvFileRewrite rewrite(registryFile(options_).c_str(), nullptr, "wb");
    if (rewrite.file() != nullptr) {
      std::fwrite(bytes.data(), 1, bytes.size(), rewrite.file());
    }
    if (rewrite.commit() == 0) {
      *message = "cannot write " + registryFile(options_);
      clean = false;
    }
  }
  if (sim::liveBlocks() != 0 || sim::liveResbufs() != 0 || sim::openFiles() != 0 ||
      sim::openKeys() != 0 || sim::openObjects() != 0) {
    *message = "the host still holds " + std::to_string(sim::liveBlocks()) + " blocks, " +
               std::to_string(sim::liveResbufs()) + " result buffers, " +
               std::to_string(sim::openFiles()) + " files, " + std::to_string(sim::openKeys()) +
               " registry keys and " + std::to_string(sim::openObjects()) + " database objects";
    clean = false;
  }
  // End the session now, while the stand-ins are whole: the interpreters close what scripts left
  // open.
  sim::reset();
  sim::liveLispValues();
  return clean;
}

} // namespace qvhost
