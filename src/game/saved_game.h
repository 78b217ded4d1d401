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

// Why a saved game named in the settings cannot be read or written, as the
// system tells it. Missing is no problem of its own: such a game stays the
// current one and is created by the next save.
enum class PathProblem { None, Missing, Folder, Fifo, Device, NotAFile, LinkLoop, TooLong, Other };
struct PathCheck {
    PathProblem Problem = PathProblem::None;
    int Error = 0; // errno for Other
};
PathCheck CheckSavedGamePath(const std::string& path);

// "it is a folder", "its symbolic links form a loop", ..., or the system's own
// words (strerror) for Other, in the game's language.
std::string PathProblemReason(const PathCheck& check, int language);

// The start-up message for an unusable saved game, naming its whole path:
// "The saved game <path> cannot be loaded: <reason>."
std::string UnusableSavedGameMessage(const std::string& path, const PathCheck& check, int language);

// The save error for file `name` after a failed save of `path` with errno
// `error`: the game's own sentence when the drive is full or not writable, else
// the reason.
std::string CannotSaveMessage(const std::string& path, int error, int language);
