// On Windows the SDK itself declares these names.
#pragma once

#include <share.h>
#include <stdio.h>
