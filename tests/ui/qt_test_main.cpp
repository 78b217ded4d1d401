#include "support/test_home.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Headless always, also when the test list is read at build time.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Whatever a test stores for "the user" (settings, an installed collection)
    // lands in a home of the run's own, removed at the end, never in the real one.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    UseHomeOf(home);
    QStandardPaths::setTestModeEnabled(true);
    // Nor may an installed game's collection stand in for a missing one; in
    // /proc nothing can ever be made there either.
    qputenv("XDG_DATA_DIRS", "/proc/trigonet-no-data");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
