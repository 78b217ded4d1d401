#pragma once

// install_paths: where an installed game finds its data and offers to save.

#include <QString>

#include <string>
#include <vector>

// Places that may hold the collection file, best first: the program's own folder
// (a build or an unpacked copy), then the user's and the system's data folders,
// then the data folder of the prefix the game was built for (not in Qt's test
// mode).
std::vector<std::string> CollectionCandidates(const std::string& programDir);

// The save dialog's first folder when the game has no saved game yet: the
// program's folder if the player may write there, else the documents folder
// (the home folder when there is none).
QString SaveDialogStartFolder(const std::string& programDir);
