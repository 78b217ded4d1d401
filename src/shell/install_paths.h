#pragma once

// install_paths: where an installed game finds its data and offers to save.

#include <QString>

#include <string>
#include <vector>

// Places that may hold the shipped collection file, best first: the program's own
// folder (a build or an unpacked copy), the data folder beside
// the program's (PREFIX/share for PREFIX/bin or PREFIX/games, wherever the game
// was installed), the system's data folders, then the data folder of the prefix
// the game was built for (not in Qt's test mode).
// The user's own data folder never counts: what the designer installs there
// stands beside the shipped collection, never in its place.
std::vector<std::string> CollectionCandidates(const std::string& programDir);

// fribo-trigonet in the user's data folder, where the player's own collections lie.
QString PersonalCollectionFolder();

// The player's own collections: every regular *.dat file of that folder,
// ftrg2.dat (the designer's "Install for me") first, then the rest by name.
std::vector<std::string> PersonalCollections();

// The save dialog's first folder when the game has no saved game yet: the
// program's folder if the player may write there, else the documents folder
// (the home folder when there is none).
QString SaveDialogStartFolder(const std::string& programDir);
