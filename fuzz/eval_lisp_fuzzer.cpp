// Fuzzes the AutoLISP reader and evaluator: any text is read and evaluated, with the calls and
// the nesting bounded, without a crash, a hang or a leak; an error always has the host's form.
// Files are out of reach: the text runs without open and load.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool bounded = [] {
    sim::limitLisp(20000, 200);
    return true;
  }();
  (void)bounded;
  sim::reset();
  std::string error;
  sim::evalLisp("(setq open nil load nil)", &error);
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string read;
  const bool readable = sim::readLisp(text, &read);
  sim::LispFailure failure;
  const bool ran = sim::runLisp(text, nullptr, &failure);
  if ((!ran && failure.message.rfind("; error: ", 0) != 0) || (!readable && ran) ||
      (!readable && read.rfind("; error: ", 0) != 0)) {
    std::abort();
  }
  sim::reset();
  if (sim::liveLispValues() != 0 || sim::liveBlocks() != 0 || sim::liveResbufs() != 0 ||
      sim::openFiles() != 0) {
    std::abort();
  }
  return 0;
}
