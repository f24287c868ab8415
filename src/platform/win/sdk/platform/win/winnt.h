// On Windows the SDK itself declares these names.
#pragma once

#include <windows.h>
