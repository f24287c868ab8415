// Control surface of the stand-in host's drawing database.
//
// Each open document has a database of its own, made with the document and gone when it closes;
// acdbHostApplicationServices()->workingDatabase() is the current document's. Objects are opened
// and closed as in the host, and an object left open is a fault of the code that opened it:
//
//   AcDbDictionary* folder = nullptr;
//   ... code under test opens and closes objects ...
//   EXPECT_EQ(sim::openObjects(), 0);   // the qvtest::HostTest fixture checks this after each test
#pragma once

#include <cstdint>

namespace sim {

// Database objects open now, in every live database (an object opened twice counts once).
int64_t openObjects();

// From now on acdbEntMod refuses every change with RTREJ and ERRNO 23, as the host does while
// the drawing needs regenerating, until the host command "_.REGEN" runs (false: stop refusing).
void refuseEntModUntilRegen(bool refuse = true);
// How many times "_.REGEN" has run since the reset.
int regenCount();

} // namespace sim
