// qvhost: runs the Quorvane module in the stand-in CAD host, with AutoLISP scripts or an
// interactive command line (qvhost --help).
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "command_line_loop.h"
#include "console_misuse.h"
#include "console_options.h"
#include "console_person.h"
#include "console_session.h"
#include "platform/sim.h"

namespace {

constexpr int kScriptFailed = 1;
constexpr int kUsage = 2;
constexpr int kNotClean = 3;

int finish(qvhost::ConsoleSession& session, int status) {
  std::string message;
  std::fflush(stdout);
  if (status == 0 && !qvhost::unreportedMisuse().empty()) {
    std::cerr << "\nqvhost: " << qvhost::unreportedMisuse() << "\n";
    status = kScriptFailed;
  }
  if (!session.stop(&message)) {
    std::fflush(stdout);
    std::cerr << "qvhost: " << message << "\n";
    return status == 0 ? kNotClean : status;
  }
  return status;
}

} // namespace

int main(int argc, char** argv) {
  qvhost::ConsoleOptions options;
  std::string message;
  if (!qvhost::parseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &message)) {
    std::cerr << "qvhost: " << message << "\n";
    return kUsage;
  }
  if (options.help) {
    std::fputs(qvhost::helpText(), stdout);
    return 0;
  }
  const bool interactive =
      options.scripts.empty() && options.expressions.empty() && isatty(fileno(stdin)) != 0;
  if (options.scripts.empty() && options.expressions.empty() && !interactive) {
    options.scripts.emplace_back("-");
  }
  sim::echoCommandLine(true);
  qvhost::handleMisuse(interactive);
  sim::watchAlerts(
      [](const std::string& text) { std::printf("\n** Alert: %s **\n", text.c_str()); });
  if (interactive) {
    sim::setAnswerSource(
        [](const sim::Asked& question) { return qvhost::askPerson(question, stdin, stdout); });
  }
  qvhost::ConsoleSession session(options);
  if (!session.start(&message)) {
    std::fflush(stdout);
    std::cerr << "qvhost: " << message << "\n";
    return finish(session, kUsage);
  }
  if (interactive) {
    return finish(session, qvhost::runCommandLine(stdin));
  }
  bool quit = false;
  for (const std::string& expression : options.expressions) {
    if (!session.runText(expression, &message, &quit)) {
      std::fflush(stdout);
      std::cerr << "\nqvhost: " << message << "\n";
      return finish(session, kScriptFailed);
    }
    if (quit) {
      return finish(session, 0);
    }
  }
  for (const std::string& script : options.scripts) {
    if (!session.runScript(script, &message, &quit)) {
      std::fflush(stdout);
      std::cerr << "\nqvhost: " << message << "\n";
      return finish(session, kScriptFailed);
    }
    if (quit) {
      break;
    }
  }
  return finish(session, 0);
}
