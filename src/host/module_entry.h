// The module's exports: the entry point through which the host drives it, and the host kit's
// API-version handshake.
#pragma once

#include "platform/acad/rxdefs.h"

// Handles the host's messages: kInitAppMsg declares the module document-aware and unlocks it;
// kLoadDwgMsg attaches the editor reactor (once, when it is made), refreshes userFolder from
// usrdir$ and defines the function table in the drawing; kUnloadDwgMsg removes the table;
// kInvkSubrMsg runs the called function; kUnloadAppMsg detaches and destroys the reactor. Every
// other message does nothing. Answers kRetOK for every message.
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);
// The host API version the module was built for.
extern "C" int acrxGetApiVersion();
// Part of the host kit's linkage; does nothing.
extern "C" void _SetacrxPtp();
