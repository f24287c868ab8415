// The Windows calls that the library makes, declared as the Windows SDK declares them.
// Each group of calls has a header of its own, included here.
#pragma once

#include "platform/win/windef.h"
#include "platform/win/winerror.h"

#include "platform/win/debugapi.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/fileapi.h"
#include "platform/win/handleapi.h"
#include "platform/win/io.h"
#include "platform/win/minwinbase.h"
#include "platform/win/process.h"
#include "platform/win/processthreadsapi.h"
#include "platform/win/securitybaseapi.h"
#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/string_win.h"
#include "platform/win/synchapi.h"
#include "platform/win/sys_stat.h"
#include "platform/win/sys_timeb.h"
#include "platform/win/sysinfoapi.h"
#include "platform/win/winnls.h"
#include "platform/win/winnt.h"
#include "platform/win/winreg.h"
#include "platform/win/winuser.h"
