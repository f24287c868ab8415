// The entry points of the stand-in's AutoLISP for tests and tools.
#include <exception>
#include <optional>

#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"
#include "platform/acad/sim_lisp.h"
#include "platform/internal/session.h"

namespace sim {

namespace {

void clearOutcome(std::string* error, int* line) {
  if (error != nullptr) {
    error->clear();
  }
  if (line != nullptr) {
    *line = 0;
  }
}

} // namespace

std::string evalLisp(const std::string& source, std::string* error, int* line) {
  detail::StandInCall inHost;
  clearOutcome(error, line);
  try {
    detail::LispMachine* machine = detail::currentLispMachine();
    if (machine == nullptr) {
      if (error != nullptr) {
        *error = "; error: no document is open";
      }
      return "";
    }
    std::optional<detail::LispRef> last;
    detail::LispThrow failure;
    if (!machine->run(source, &last, &failure)) {
      if (error != nullptr) {
        *error = "; error: " + failure.message;
      }
      if (line != nullptr) {
        *line = failure.line;
      }
      return "";
    }
    if (!last) {
      return "";
    }
    return detail::printValue(*last, true);
  } catch (const std::exception&) {
    if (error != nullptr) {
      *error = "; error: insufficient memory";
    }
    return "";
  }
}

bool stopLisp(const std::string& message) {
  detail::StandInCall inHost;
  detail::LispMachine* machine = detail::currentLispMachine();
  return machine != nullptr && machine->requestStop(message);
}

bool runLisp(const std::string& source, std::string* value, LispFailure* failure) {
  detail::StandInCall inHost;
  if (value != nullptr) {
    value->clear();
  }
  LispFailure report;
  try {
    detail::LispMachine* machine = detail::currentLispMachine();
    if (machine == nullptr) {
      report.message = "; error: no document is open";
    } else {
      std::optional<detail::LispRef> last;
      detail::LispThrow thrown;
      if (machine->run(source, &last, &thrown)) {
        if (value != nullptr && last) {
          *value = detail::printValue(*last, true);
        }
        return true;
      }
      report = {"; error: " + thrown.message, thrown.file,
                thrown.topLine != 0 ? thrown.topLine : thrown.line, thrown.expression};
    }
  } catch (const std::exception&) {
    report.message = "; error: insufficient memory";
  }
  if (failure != nullptr) {
    *failure = std::move(report);
  }
  return false;
}

bool readLisp(const std::string& source, std::string* error, int* line) {
  detail::StandInCall inHost;
  clearOutcome(error, line);
  try {
    detail::LispMachine scratch; // keeps the documents' symbols out of it
    detail::LispStackBase stackBase;
    detail::LispReader reader(scratch, source);
    detail::LispRef value;
    while (reader.next(&value)) {
    }
    return true;
  } catch (const detail::LispThrow& thrown) {
    if (error != nullptr) {
      *error = "; error: " + thrown.message;
    }
    if (line != nullptr) {
      *line = thrown.line;
    }
  } catch (const std::exception&) {
    if (error != nullptr) {
      *error = "; error: insufficient memory";
    }
  }
  return false;
}

void limitLisp(int64_t steps, int depth) {
  detail::limitLisp(steps, depth);
}

int64_t liveLispValues() {
  return detail::liveLispCellsOfSession();
}

std::string lispString(const std::string& text) {
  return detail::quoteString(text);
}

} // namespace sim
