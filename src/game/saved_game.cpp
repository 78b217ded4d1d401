#include "game/saved_game.h"

#include "game/data.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithSavedGameExtension(const std::string& path) {
    const size_t nameStart = path.size() - FileNamePart(path).size();
    const size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return (hasExtension ? path.substr(0, dot) : path) + SavedGameExtension;
}

std::string GameCaption(const std::string& saveFileName, int language) {
    std::string caption = "Fribo Trigonet";
    if (saveFileName.empty()) return caption;
    caption += IsGerman(language) ? " - Spiel " : " - Game ";
    return caption + FileNamePart(saveFileName);
}

PathCheck CheckSavedGamePath(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT) return {PathProblem::Missing, error};
        if (error == ELOOP) return {PathProblem::LinkLoop, error};
        if (error == ENAMETOOLONG) return {PathProblem::TooLong, error};
        return {PathProblem::Other, error};
    }
    if (S_ISREG(info.st_mode)) return {};
    if (S_ISDIR(info.st_mode)) return {PathProblem::Folder, EISDIR};
    if (S_ISFIFO(info.st_mode)) return {PathProblem::Fifo, 0};
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return {PathProblem::Device, 0};
    return {PathProblem::NotAFile, 0};
}

std::string PathProblemReason(const PathCheck& check, int language) {
    const bool german = IsGerman(language);
    switch (check.Problem) {
    case PathProblem::None:
        return german ? "die Datei ist in Ordnung" : "the file is usable";
    case PathProblem::Missing:
        return german ? "die Datei gibt es nicht" : "there is no such file";
    case PathProblem::Folder:
        return german ? "es ist ein Ordner" : "it is a folder";
    case PathProblem::Fifo:
        return german ? "es ist eine benannte Pipe (FIFO)" : "it is a named pipe (FIFO)";
    case PathProblem::Device:
        return german ? "es ist ein Gerät" : "it is a device";
    case PathProblem::NotAFile:
        return german ? "es ist keine gewöhnliche Datei" : "it is not a regular file";
    case PathProblem::LinkLoop:
        return german ? "seine symbolischen Links bilden eine Schleife"
                      : "its symbolic links form a loop";
    case PathProblem::TooLong:
        return german ? "der Pfad ist zu lang" : "the path is too long";
    case PathProblem::Other:
        break;
    }
    return std::strerror(check.Error);
}

std::string UnusableSavedGameMessage(const std::string& path, const PathCheck& check,
                                     int language) {
    return (IsGerman(language) ? "Das Spiel " + path + " lässt sich nicht laden: "
                               : "The saved game " + path + " cannot be loaded: ") +
           PathProblemReason(check, language) + ".";
}

std::string CannotSaveMessage(const std::string& path, int error, int language) {
    const std::string name = FileNamePart(path);
    const bool german = IsGerman(language);
    if (error == ENOSPC || error == EDQUOT || error == EROFS || error == EACCES || error == EPERM)
        return german ? "Kann Spiel " + name +
                            " nicht speichern. Datenträger voll oder nicht beschreibbar."
                      : "Cannot save game " + name + ". Drive full or not writable.";
    // The file layer says EISDIR for anything but a regular file: the path says which.
    PathCheck check = CheckSavedGamePath(path);
    if (check.Problem == PathProblem::None || check.Problem == PathProblem::Missing)
        check = {PathProblem::Other, error};
    return (german ? "Kann Spiel " + name + " nicht speichern: "
                   : "Cannot save game " + name + ": ") +
           PathProblemReason(check, language) + ".";
}
