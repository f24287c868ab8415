// Settings and files: the settings store in the registry, property files of name=value lines,
// the product's "config.pik", the drawing's working files and units, the file-selection lists and
// favourites, and variable sets.
#pragma once

#include "settings/config_pik.h"
#include "settings/drawing_files.h"
#include "settings/file_favorites.h"
#include "settings/file_lists.h"
#include "settings/file_services.h"
#include "settings/folder_listing.h"
#include "settings/property_file.h"
#include "settings/property_value.h"
#include "settings/read_line.h"
#include "settings/settings_store.h"
#include "settings/units_context.h"
#include "settings/variable_set.h"
