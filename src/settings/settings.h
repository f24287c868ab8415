// Settings and files: the settings store in the registry.
#pragma once

#include "settings/settings_store.h"
