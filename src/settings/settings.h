// Settings and files: the settings store in the registry, property files of name=value lines,
// the product's "config.pik", and variable sets.
#pragma once

#include "settings/config_pik.h"
#include "settings/property_file.h"
#include "settings/property_value.h"
#include "settings/read_line.h"
#include "settings/settings_store.h"
#include "settings/variable_set.h"
