#pragma once

// test_home.h: a home of the test program's own, so that whatever it or Qt
// writes for "the user" (settings, font caches, runtime files) stays out of the
// real one and goes when the program ends.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Points HOME, the XDG folders and the runtime folder into `home`, which must
// outlive the application.
inline void UseHomeOf(const QTemporaryDir& home) {
    qputenv("HOME", home.path().toLocal8Bit());
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(name, (home.path() + "/" + name).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit()); // private (0700), as Qt wants it
}
