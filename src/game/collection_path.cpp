#include "game/collection_path.h"

#include "game/data.h"

std::string FirstExistingPath(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates)
        if (FileExists(candidate)) return candidate;
    return {};
}
