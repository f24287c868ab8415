// CreateProcessA and GetExitCodeProcess: programs of the host system started with posix_spawn,
// their handles in the kernel-object table, so that WaitForSingleObject and CloseHandle serve
// them.
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/internal/session.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/internal/file_paths.h"
#include "platform/win/internal/kernel_object.h"
#include "platform/win/processthreadsapi.h"
#include "platform/win/synchapi.h"
#include "platform/win/winerror.h"

extern char** environ;

namespace {

// One started program, shared by its process and thread handles. A program still running when
// its last handle goes is reaped by a thread of its own, so that it leaves no zombie behind.
class Program {
public:
  explicit Program(pid_t pid) : pid_(pid) {}
  ~Program() {
    if (!ended_) {
      std::thread([pid = pid_] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
      }).detach();
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Whether the program has ended, waiting for it when block.
  bool ended(bool block) {
    std::lock_guard<std::mutex> lock(guard_);
    if (!ended_) {
      int status = 0;
      pid_t reaped = 0;
      do {
        reaped = ::waitpid(pid_, &status, block ? 0 : WNOHANG);
      } while (reaped < 0 && errno == EINTR);
      if (reaped == pid_) {
        ended_ = true;
        exitCode_ = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status))
                                      : static_cast<DWORD>(128 + WTERMSIG(status));
      }
    }
    return ended_;
  }
  DWORD exitCode() { return ended(false) ? exitCode_ : static_cast<DWORD>(STILL_ACTIVE); }
  pid_t pid() const { return pid_; }

private:
  std::mutex guard_;
  pid_t pid_;
  bool ended_ = false;
  DWORD exitCode_ = 0;
};

class ProgramHandle : public sim::detail::KernelObject {
public:
  explicit ProgramHandle(std::shared_ptr<Program> program) : program_(std::move(program)) {}
  DWORD waitFor(DWORD milliseconds) override {
    if (milliseconds == INFINITE) {
      program_->ended(true);
      return WAIT_OBJECT_0;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    auto pause = std::chrono::microseconds(200);
    while (!program_->ended(false)) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= deadline) {
        return WAIT_TIMEOUT;
      }
      std::this_thread::sleep_for(
          std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
      pause = std::min(pause * 2, std::chrono::microseconds(10000));
    }
    return WAIT_OBJECT_0;
  }
  Program& program() { return *program_; }

private:
  std::shared_ptr<Program> program_;
};

BOOL failWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// The command line's words by the C runtime's rules: blanks separate, double quotes group, 2n
// backslashes before a quote give n and the quote acts, 2n+1 give n and a literal quote.
std::vector<std::string> splitCommandLine(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && isBlank(line[at])) {
      ++at;
    }
    if (at >= line.size()) {
      break;
    }
    std::string word;
    bool quoted = false;
    while (at < line.size() && (quoted || !isBlank(line[at]))) {
      size_t slashes = 0;
      while (at < line.size() && line[at] == '\\') {
        ++slashes;
        ++at;
      }
      if (at < line.size() && line[at] == '"') {
        word.append(slashes / 2, '\\');
        if (slashes % 2 == 1) {
          word += '"';
        } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
          word += '"'; // "" inside quotes is one quote
          ++at;
        } else {
          quoted = !quoted;
        }
        ++at;
      } else {
        word.append(slashes, '\\');
        if (at < line.size() && (quoted || !isBlank(line[at]))) {
          word += line[at++];
        }
      }
    }
    words.push_back(word);
  }
  return words;
}

// The program's name as Windows reads it from the command line: up to the closing quote, or
// up to the first blank.
std::string programWord(const std::string& line) {
  size_t at = 0;
  while (at < line.size() && isBlank(line[at])) {
    ++at;
  }
  if (at < line.size() && line[at] == '"') {
    const size_t close = line.find('"', at + 1);
    return line.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
  }
  size_t end = at;
  while (end < line.size() && !isBlank(line[end])) {
    ++end;
  }
  return line.substr(at, end - at);
}

struct Found {
  std::string host;
  DWORD error = ERROR_FILE_NOT_FOUND;
};

// Looks for the program at one Windows or host path, as written and with ".exe" added.
void tryAt(const std::string& path, Found& found) {
  const size_t nameStart = path.find_last_of("\\/:");
  const bool hasExtension =
      path.find('.', nameStart == std::string::npos ? 0 : nameStart) != std::string::npos;
  for (const std::string& candidate : {path, hasExtension ? std::string() : path + ".exe"}) {
    if (candidate.empty() || !found.host.empty()) {
      continue;
    }
    const sim::detail::ResolvedPath where = sim::detail::resolvePath(candidate.c_str());
    if (where.error != 0) {
      found.error = where.error;
      continue;
    }
    const sim::detail::HostStat facts = sim::detail::hostStat(where.host);
    if (facts.exists && !facts.isDir) {
      found.host = where.host;
    } else if (!where.parentExists && found.error == ERROR_FILE_NOT_FOUND) {
      found.error = ERROR_PATH_NOT_FOUND;
    }
  }
}

Found findProgram(const std::string& name, bool searchPath) {
  Found found;
  if (name.empty()) {
    return found;
  }
  tryAt(name, found);
  if (!found.host.empty() || !searchPath || name.find_first_of("\\/:") != std::string::npos) {
    return found;
  }
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "";
  size_t start = 0;
  while (found.host.empty() && start <= folders.size()) {
    size_t end = folders.find(':', start);
    end = end == std::string::npos ? folders.size() : end;
    if (end > start && folders[start] == '/') {
      tryAt(folders.substr(start, end - start) + "/" + name, found);
    }
    start = end + 1;
  }
  return found;
}

std::vector<std::string> environmentOf(const char* block) {
  std::vector<std::string> texts;
  for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
    texts.emplace_back(entry);
  }
  return texts;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) {
    pointers.push_back(text.data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

DWORD spawnError(int error) {
  switch (error) {
  case ENOEXEC:
    return ERROR_BAD_EXE_FORMAT;
  case EACCES:
  case EPERM:
    return ERROR_ACCESS_DENIED;
  case ENOMEM:
  case EAGAIN:
    return ERROR_NOT_ENOUGH_MEMORY;
  default:
    return ERROR_FILE_NOT_FOUND;
  }
}

} // namespace

BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                    LPSECURITY_ATTRIBUTES, BOOL, DWORD creationFlags, LPVOID environment,
                    LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                    LPPROCESS_INFORMATION processInformation) {
  const sim::detail::StandInCall inCall;
  if ((applicationName == nullptr && commandLine == nullptr) || startupInfo == nullptr ||
      processInformation == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  if ((creationFlags & CREATE_SUSPENDED) != 0 ||
      (startupInfo->dwFlags & STARTF_USESTDHANDLES) != 0) {
    return failWith(ERROR_NOT_SUPPORTED);
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::CreateProcessA)) {
    return failWith(ERROR_NOT_ENOUGH_MEMORY);
  }
  const std::string line = commandLine != nullptr ? commandLine : "";
  const std::string name = applicationName != nullptr ? applicationName : programWord(line);
  const Found program = findProgram(name, applicationName == nullptr);
  if (program.host.empty()) {
    return failWith(program.error);
  }
  if (::access(program.host.c_str(), X_OK) != 0) {
    return failWith(errno == EACCES ? ERROR_BAD_EXE_FORMAT : ERROR_ACCESS_DENIED);
  }
  std::string folder;
  if (currentDirectory != nullptr) {
    const sim::detail::ResolvedPath where = sim::detail::resolvePath(currentDirectory);
    if (where.error != 0 || !sim::detail::hostStat(where.host).isDir) {
      return failWith(ERROR_DIRECTORY);
    }
    folder = where.host;
  }
  std::vector<std::string> arguments =
      commandLine != nullptr ? splitCommandLine(line) : std::vector<std::string>{name};
  if (arguments.empty()) {
    arguments.push_back(name);
  }
  std::vector<std::string> variables;
  if (environment != nullptr) {
    variables = environmentOf(static_cast<const char*>(environment));
  }
  std::vector<char*> argv = pointersTo(arguments);
  std::vector<char*> envp = pointersTo(variables);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  }
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.host.c_str(), &actions, nullptr, argv.data(),
                                environment != nullptr ? envp.data() : environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    return failWith(spawnError(error));
  }
  auto started = std::make_shared<Program>(pid);
  processInformation->hProcess = sim::detail::openHandle(std::make_shared<ProgramHandle>(started));
  processInformation->hThread = sim::detail::openHandle(std::make_shared<ProgramHandle>(started));
  processInformation->dwProcessId = static_cast<DWORD>(pid);
  processInformation->dwThreadId = static_cast<DWORD>(pid);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
  if (process == sim::detail::currentProcessHandle() && exitCode != nullptr) {
    *exitCode = STILL_ACTIVE;
    return TRUE;
  }
  const auto target = sim::detail::objectAs<ProgramHandle>(process);
  if (!target) {
    return failWith(ERROR_INVALID_HANDLE);
  }
  if (exitCode == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  *exitCode = target->program().exitCode();
  return TRUE;
}
