// Text and numbers: the library's string class, formatted printing and the shared text utilities.
#pragma once

#include "text/format.h"
#include "text/ms_string.h"
