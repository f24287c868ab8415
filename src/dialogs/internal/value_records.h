// The value files of the dialog memory: their names, and their records, one line each, written
// as "%s,%s,%s,'%s'\n" (DCL name, dialog name, tile key, value in single quotes).
#pragma once

#include <string>
#include <string_view>

namespace qv::dialogfiles {

// Where the values of a DCL file's dialogs are kept.
enum class Place { shared, perDcl };

struct ValueFile {
  std::string path;     // userFolder + "dialogs.ini", or the DCL name + ".ini"
  std::string tempPath; // the same with ".new", written while the file is rewritten
};

ValueFile valueFile(Place place, const char* dclName);

// The line of one record, with its line end.
std::string recordLine(const char* dclName, const char* dialogName, const char* key,
                       const std::string& value);

// "DCL name,dialog name,": the start of every record of that dialog.
std::string dialogPrefix(const char* dclName, const char* dialogName);

// The key and value of a record that starts with prefix (the dialog's own): the key is what lies
// between the prefix and the first ",'" after it, the value everything from there to the line's
// last single quote (to the line's end, CR dropped, when no quote closes it). False when line is
// not such a record.
bool readRecord(std::string_view line, std::string_view prefix, std::string_view& key,
                std::string_view& value);

} // namespace qv::dialogfiles
