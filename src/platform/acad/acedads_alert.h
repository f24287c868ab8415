// The host's alert box, as the ADS headers declare it.
#pragma once

// Shows the message in the host's modal alert box and waits for the user to close it.
// RTNORM, or RTERROR when the host cannot show it.
int acedAlert(const char* message);
