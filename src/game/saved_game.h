#pragma once

#include <string>

// Names and captions of saved games. Paths are UTF-8 with '/' between folders.

inline constexpr const char* SavedGameExtension = ".ftg";

// The last component of the path: the file name with its extension.
std::string FileNamePart(const std::string& path);

// The chosen path with its extension replaced by ".ftg", or ".ftg" appended when
// the file name has none ("a.txt" -> "a.ftg", "a" -> "a.ftg"). A leading dot
// starts a name, not an extension.
std::string WithSavedGameExtension(const std::string& path);

// The main window's caption: "Fribo Trigonet", with " - Spiel " or " - Game " and
// the file name when a saved game is attached (German only at language 1).
std::string GameCaption(const std::string& saveFileName, int language);
