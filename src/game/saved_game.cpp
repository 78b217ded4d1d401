#include "game/saved_game.h"

#include "game/data.h"

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
