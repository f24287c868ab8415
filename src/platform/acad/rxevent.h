// The base of the host's event reactors.
#pragma once

#include "platform/acad/rxobject.h"

// A reactor that a host event source notifies; every notification does nothing by default.
class AcRxEventReactor : public AcRxObject {};
