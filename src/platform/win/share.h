// Sharing modes of the C runtime's _fsopen, as share.h numbers them.
#pragma once

#define _SH_DENYRW 0x10 // no other open of the file
#define _SH_DENYWR 0x20 // others may read, not write
#define _SH_DENYRD 0x30 // others may write, not read
#define _SH_DENYNO 0x40 // others may read and write (what fopen uses)
#define _SH_SECURE 0x80 // others may read while this open only reads; else no sharing
