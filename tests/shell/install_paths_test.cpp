#include "shell/install_paths.h"

#include "shell/main_form.h"
#include "shell_support.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Swaps an environment variable for the length of a test.
struct ScopedEnv {
    const char* name;
    QByteArray old;
    bool had;
    ScopedEnv(const char* name, const QString& value)
        : name(name), old(qgetenv(name)), had(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { had ? qputenv(name, old) : qunsetenv(name); }
};

// A program folder and two system data folders, the first searched first.
struct CollectionLookupTest : ::testing::Test {
    QTemporaryDir root;
    QString program = Folder("bin"), shareA = Folder("a"), shareB = Folder("b");
    ScopedEnv dataDirs{"XDG_DATA_DIRS", shareA + ':' + shareB};
    QString iniPath = root.filePath("settings.ini");
    SeamRecorder seam;
    std::unique_ptr<TMainForm> form;

    QString Folder(const QString& name) {
        QDir(root.path()).mkpath(name);
        return root.filePath(name);
    }
    // The collection of `count` figures in the game's folder of a data folder.
    void Install(const QString& share, int count) {
        QDir(share).mkpath("fribo-trigonet");
        WriteCollection(share + "/fribo-trigonet", count);
    }
    // Figures loaded, or -1 when the game would not start.
    int Start() {
        form = std::make_unique<TMainForm>(program, iniPath, std::make_unique<FakeCueOutput>());
        return form->FormCreate() ? form->game.data.FigureCount : -1;
    }
};

} // namespace

TEST_F(CollectionLookupTest, ProgramFolderFirstThenTheDataFoldersInTheirOrder) {
    ScopedEnv home("HOME", Folder("home"));
    const QString personal = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ASSERT_TRUE(personal.startsWith(root.path()));
    Install(personal, 6);
    Install(Folder("share"), 5); // beside bin: where this program was installed
    Install(shareA, 3);
    Install(shareB, 4);
    WriteCollection(program, 2);
    EXPECT_EQ(Start(), 2); // a build folder is never shadowed by an installed game
    QFile::remove(program + "/ftrg2.dat");
    EXPECT_EQ(Start(), 5); // the player's own stands beside the shipped one, never in front
    QFile::remove(root.filePath("share/fribo-trigonet/ftrg2.dat"));
    EXPECT_EQ(Start(), 3);
    QFile::remove(shareA + "/fribo-trigonet/ftrg2.dat");
    EXPECT_EQ(Start(), 4);
    QFile::remove(shareB + "/fribo-trigonet/ftrg2.dat");
    EXPECT_EQ(Start(), 6); // no shipped collection: the player's own is played
    EXPECT_TRUE(seam.boxes.isEmpty());
    // The save dialog still starts beside the program when that is writable.
    EXPECT_EQ(form->game.data.ProgramDir, QDir(program).absolutePath().toStdString() + '/');
}

TEST_F(CollectionLookupTest, PlayersCollectionsAreEveryDatFileInstalledOneFirst) {
    ScopedEnv home("HOME", Folder("home"));
    const QString folder = PersonalCollectionFolder();
    ASSERT_TRUE(folder.startsWith(root.path()));
    EXPECT_TRUE(PersonalCollections().empty());
    QDir(folder).mkpath("folder.dat");
    for (const char* name : {"zeta.dat", "Alpha.DAT", "notes.txt", "ftrg2.dat", "beta.dat"}) {
        QFile file(folder + '/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const std::string at = folder.toStdString() + '/';
    EXPECT_EQ(PersonalCollections(), (std::vector<std::string>{at + "ftrg2.dat", at + "Alpha.DAT",
                                                               at + "beta.dat", at + "zeta.dat"}));
}

TEST_F(CollectionLookupTest, FoundInNeitherShowsTheMessageAndWritesNothing) {
    const std::vector<std::string> candidates = CollectionCandidates(program.toStdString() + '/');
    for (const std::string& path : candidates)
        if (QFile::exists(QString::fromStdString(path)))
            GTEST_SKIP() << "an installed collection is in the way: " << path;
    SettingsStore(iniPath).StoreNumber("common", "level", 2);
    QDir(shareA).mkpath("fribo-trigonet/ftrg2.dat"); // a folder of that name is no file

    EXPECT_EQ(Start(), -1);
    EXPECT_EQ(seam.boxes, QStringList{"Can't find file FTRG2.DAT. Program aborted."});
    form.reset();
    EXPECT_EQ(QSettings(iniPath, QSettings::IniFormat).allKeys(), QStringList{"V2/common/level"});
}

TEST(SaveDialogStart, UnwritableProgramFolderGivesTheDocumentsFolderOrHome) {
    QTemporaryDir home;
    ScopedEnv homeEnv("HOME", home.path());
    const QString writable = home.filePath("game/");
    QDir().mkpath(writable);
    EXPECT_EQ(SaveDialogStartFolder(writable.toStdString()), writable);

    const std::string gone = home.filePath("no such folder/").toStdString();
    EXPECT_EQ(SaveDialogStartFolder(gone), QDir::homePath());
    QDir(home.path()).mkpath("Documents");
    EXPECT_EQ(SaveDialogStartFolder(gone), home.filePath("Documents"));
}

TEST(SaveDialogStart, ReadOnlyProgramFolderGivesTheDocumentsFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
    QTemporaryDir home;
    ScopedEnv homeEnv("HOME", home.path());
    QDir(home.path()).mkpath("Documents");
    const QString locked = home.filePath("locked/");
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(SaveDialogStartFolder(locked.toStdString()), home.filePath("Documents"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
