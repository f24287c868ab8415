// Settings and files: the settings store in the registry, property files of name=value lines,
// the product's "config.pik", the file-selection lists and favourites, and variable sets.
#pragma once

#include "settings/config_pik.h"
#include "settings/file_favorites.h"
#include "settings/file_lists.h"
#include "settings/folder_listing.h"
#include "settings/property_file.h"
#include "settings/property_value.h"
#include "settings/read_line.h"
#include "settings/settings_store.h"
#include "settings/variable_set.h"
