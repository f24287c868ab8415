// Dialogs: the family's message and prompt dialogs, and the memory of the values entered in every
// dialog of the family.
#pragma once

#include "dialogs/dialog_values.h"
#include "dialogs/message_dialogs.h"
#include "dialogs/tile_scan.h"
