#pragma once

#include "game/data.h"

#include <QString>

// Every text of the game exists in German and English; German only when the
// language flag is 1 (English for 0 and for -1, never chosen).
inline QString Text(int language, const char* german, const char* english) {
    return QString::fromUtf8(IsGerman(language) ? german : english);
}
