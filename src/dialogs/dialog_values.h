// The memory of dialog values: every keyed tile of a dialog, as its DCL file declares them (see
// tile_scan.h), saved to a value file in the user's folder when the dialog closes and put back
// when it opens, or copied to and from a record.
//
// Value files ("dialogs.ini" shared by every DCL file, or the DCL name + ".ini") hold one record
// per line: "DCL name,dialog name,key,'value'". A record belongs to a dialog when its first two
// fields are exactly that DCL name and dialog name; its value is everything between its quotes.
// A file is rewritten through a temporary file (".new") that replaces it whole only once written
// (QvFileRewrite): a crash or a failed write leaves the old file.
//
// The operations that read the DCL file take the folders from usrdir$ and lspdir$ (userFolder,
// lispFolder) and do nothing when either is unset, the DCL file is missing or lacks the dialog.
// Writers run while the dialog is open (from its accepting action, before ads_done_dialog);
// restoreDialogValues runs after ads_new_dialog and before ads_start_dialog.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/acad/adsdlg.h"
#include "records/uni_interfaces.h"

namespace qv {

// The where argument of the readers.
constexpr int kValuesInBothFiles = 0; // the shared file, then the DCL's own, which wins
constexpr int kValuesInSharedFile = 1;
constexpr int kValuesInDclFile = 2;

// Writes the current value of every keyed tile of each header of dialogName (exact case) in the
// DCL file, in file order, to the shared file (shared 1) or the DCL's own file (any other value),
// followed by the file's records of other dialogs in their order. A tile that cannot be read keeps
// its stored value (the empty text when it has none).
void saveDialogValues(ads_hdlg hdlg, const char* dclName, const char* dialogName, int shared);

// Writes the current value of one tile: every record of that key is replaced by it, or it is
// appended when there was none. The DCL file is not read.
void saveTileValue(ads_hdlg hdlg, const char* dclName, const char* dialogName, const char* key,
                   int shared);

// Sets every tile that has a record of the dialog in the files chosen by where (1 shared, 2 the
// DCL's own, any other value both), the shared file first, each in file order, so that a later
// record wins. Returns 1 when a tile was set, else 0. The DCL file is not read.
int restoreDialogValues(ads_hdlg hdlg, const char* dclName, const char* dialogName, int where);

// The stored value of one tile: the first record of the key in each file chosen by where, the
// DCL's own file winning over the shared one. Returns 1 when a record was found, else 0. output
// gets the value cut to size - 1 characters, or the empty text when none was found; nothing is
// written when output is null or size is 0. Reads the folders as getLispString does, keeping the
// last known ones when a symbol is unset.
int readStoredTileValue(const char* dclName, const char* dialogName, int where, const char* key,
                        char* output, size_t size);

// A tile's key and value, for the operations below that work without an open dialog (for a
// script, whose dialogs the program cannot reach).
struct TileValue {
  std::string key;
  std::string value;
};

// As saveDialogValues, with values in place of the tiles: a key of the dialog that values lacks
// keeps its stored value (the empty text when it has none); entries for keys the dialog lacks are
// not saved. Returns 1 when the dialog was found and saved (every header of it), else 0.
int saveDialogValueList(const char* dclName, const char* dialogName,
                        const std::vector<TileValue>& values, int shared);

// The values that restoreDialogValues would set, without a dialog: each key once, where it first
// comes, with the value that would win. Returns 1 when one was found, else 0 with values empty
// (also when memory runs out).
int readDialogValues(const char* dclName, const char* dialogName, int where,
                     std::vector<TileValue>& values);

// Enables (MODE_ENABLE) every keyed tile of the dialog's headers (exact case).
void enableDialogTiles(ads_hdlg hdlg, const char* dclName, const char* dialogName);

// Sets the record's field named by each key of the dialog's headers (dialog name without regard
// to case) to its tile's value, replacing a field of that name; tiles that cannot be read are
// left out. Nothing when record is null.
void saveDialogValuesToRecord(ads_hdlg hdlg, const char* dclName, const char* dialogName,
                              IQvUniRecord* record);

// Sets the tile named by each of the record's fields that has both a name and a value. The two
// names are not used. Nothing when record is null.
void restoreDialogValuesFromRecord(ads_hdlg hdlg, const char* dclName, const char* dialogName,
                                   const IQvUniRecord* record);

} // namespace qv
