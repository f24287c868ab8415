// On Windows the SDK itself declares these names.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>
