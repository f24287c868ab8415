// AutoLISP calls of the functions that modules define (acedDefun) and of the family's functions:
// the arguments go out in the host's list form and the result comes back as a value.
#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_resbuf.h"
#include "platform/acad/sim_host.h"

namespace sim::detail {

bool isHostFunction(const std::string& key) {
  HostState& state = host();
  Document* document = currentDocument(state);
  return (document != nullptr && document->functions.count(key) != 0) ||
         state.familyFunctions.count(key) != 0;
}

LispRef callHostFunction(LispMachine& machine, const std::string& key, const LispArgs& args) {
  LispValue items;
  for (const LispRef& arg : args) {
    LispValue one;
    if (!itemsFromValue(arg, &one)) {
      machine.badArgument("lselsetp", arg); // no host form for a function or a file
    }
    items.insert(items.end(), one.begin(), one.end());
  }
  resbuf* chain = makeChain(items);
  if (!items.empty() && chain == nullptr) {
    machine.fail("insufficient memory");
  }
  resbuf* result = nullptr;
  const int status = sim::callLisp(key, chain, &result);
  acutRelRb(chain);
  LispValue answer;
  const bool readable = readChain(result, answer);
  acutRelRb(result);
  if (status != RTNORM || !readable) {
    return LispRef(); // the host's answer to a failed external call is nil
  }
  if (answer.size() > 1 && answer.front().type != RTLB) {
    // A result of several items is a list of them.
    answer.insert(answer.begin(), atomOf(RTLB));
    answer.push_back(atomOf(RTLE));
  }
  return valueFromItems(machine, answer);
}

} // namespace sim::detail
