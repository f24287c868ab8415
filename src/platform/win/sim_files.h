// Control surface of the stand-in's file layer: the drive map and the streams still open.
// The calls that sim::failCall can make fail are listed in platform/win/failable_calls.h.
#pragma once

#include <string>

namespace sim {

// Maps a drive letter (either case) to a host folder: "C:\x\y.txt" is then hostFolder/x/y.txt.
// An empty folder removes the mapping. Each session starts with the map given by the environment
// setting QV_DRIVES, "C=/path;D=/other" (no setting: no drives).
void mapDrive(char letter, const std::string& hostFolder);
// The root under which a test's Windows paths reach hostFolder: the stand-in maps the drive
// letter to it and answers "X:\". Windows answers the folder's own path followed by "\" and maps
// nothing: a drive letter is shared by every process of the user, so tests run side by side would
// take each other's.
std::string driveRoot(char letter, const std::string& hostFolder);
// Maps a network share ("\\server\share", either separator, any case) to a host folder.
void mapShare(const std::string& share, const std::string& hostFolder);

// The host path that a Windows path names, resolved as every file call resolves it (each
// component found without regard to case when the exact name is missing), or the empty text when
// it names none (an unmapped drive or share, an invalid name).
std::string hostPath(const std::string& windowsPath);

// Streams (_fsopen, fopen_s) and file handles (CreateFileA) not closed yet; searches
// (FindFirstFileA) not closed yet.
int openFiles();
int openSearches();

} // namespace sim
