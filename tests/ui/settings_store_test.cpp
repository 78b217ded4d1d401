#include "ui/settings_store.h"

#include "ui/settings.h"

#include "support/test_figures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SettingsStoreTest : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath("settings.ini");
    SettingsStore ini{path};

    // What the file holds, as the store wrote it.
    QVariant Raw(const QString& name) const {
        QSettings raw(path, QSettings::IniFormat);
        return raw.value("V2/" + name);
    }
    void WriteRaw(const QString& name, const QVariant& value) {
        QSettings raw(path, QSettings::IniFormat);
        raw.setValue("V2/" + name, value);
    }
    void WriteFile(const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // The sections under the base group, and the keys of "common" sorted, as Qt reads them.
    QStringList RawSections() const {
        QSettings raw(path, QSettings::IniFormat);
        raw.beginGroup("V2");
        return raw.childGroups();
    }
    QStringList RawCommonKeys() const {
        QSettings raw(path, QSettings::IniFormat);
        raw.beginGroup("V2/common");
        QStringList keys = raw.childKeys();
        keys.sort();
        return keys;
    }
    QByteArray FileText() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(SettingsStoreTest, CleanStoreGivesEveryDefault) {
    EXPECT_EQ(ini.LoadNumber("common", "tongue", -1), -1);
    EXPECT_TRUE(ini.LoadFlag("common", "sound", true));
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 1);
    EXPECT_EQ(ini.LoadText("common", "save", ""), "");
    EXPECT_EQ(ini.LoadNumber("common", "pleft", 500), 500);
    EXPECT_EQ(ini.LoadNumber("common", "ptop", 50), 50);
    EXPECT_FALSE(QFile::exists(path)); // loading never creates anything
}

TEST_F(SettingsStoreTest, EveryValueIsStoredAsItsText) {
    ini.StoreFlag("common", "sound", true);
    ini.StoreFlag("common", "other", false);
    ini.StoreNumber("common", "tongue", -1);
    ini.StoreNumber("common", "pleft", 500);
    ini.StoreText("common", "save", "/home/me/my game.ftg");
    EXPECT_EQ(Raw("common/sound"), QVariant(QString("1")));
    EXPECT_EQ(Raw("common/other"), QVariant(QString("0")));
    EXPECT_EQ(Raw("common/tongue"), QVariant(QString("-1")));
    EXPECT_EQ(Raw("common/pleft"), QVariant(QString("500")));
    EXPECT_EQ(Raw("common/save"), QVariant(QString("/home/me/my game.ftg")));
    EXPECT_EQ(ini.LoadText("common", "save", ""), "/home/me/my game.ftg");
    EXPECT_EQ(ini.LoadNumber("common", "tongue", 5), -1);
}

TEST_F(SettingsStoreTest, FlagsReadAsNumbers) {
    WriteRaw("common/sound", "0");
    EXPECT_FALSE(ini.LoadFlag("common", "sound", true));
    WriteRaw("common/sound", "2");
    EXPECT_TRUE(ini.LoadFlag("common", "sound", false));
    WriteRaw("common/sound", "loud");
    EXPECT_TRUE(ini.LoadFlag("common", "sound", true));
    EXPECT_FALSE(ini.LoadFlag("common", "sound", false));
}

TEST_F(SettingsStoreTest, TextThatIsNoNumberGivesTheDefault) {
    WriteRaw("common/level", "12abc");
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 1);
    WriteRaw("common/level", " 12");
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 1);
    WriteRaw("common/level", "99999999999");
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 1);
    WriteRaw("common/level", "");
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 1);
    EXPECT_EQ(ini.LoadText("common", "level", "x"), ""); // an empty text exists
}

TEST_F(SettingsStoreTest, ValueNotStoredAsTextGivesTheDefault) {
    WriteRaw("common/ptop", QRect(1, 2, 3, 4));
    EXPECT_EQ(ini.LoadNumber("common", "ptop", 50), 50);
    EXPECT_EQ(ini.LoadText("common", "ptop", "none"), "none");
}

TEST_F(SettingsStoreTest, TextEndsAtItsFirstZeroCharacter) {
    WriteRaw("common/save", QString("a.ftg") + QChar(0) + "junk");
    EXPECT_EQ(ini.LoadText("common", "save", ""), "a.ftg");
}

TEST_F(SettingsStoreTest, SectionsAndKeysCompareWithoutCaseKeepingTheFirstSpelling) {
    ini.StoreNumber("common", "level", 3);
    ini.StoreText("Common", "MainForm", "x");
    ini.StoreNumber("COMMON", "LEVEL", 4);
    EXPECT_EQ(ini.LoadNumber("Common", "Level", 1), 4);
    EXPECT_EQ(ini.LoadText("common", "mainform", ""), "x");

    EXPECT_EQ(RawSections(), QStringList{"common"});
    EXPECT_EQ(RawCommonKeys(), (QStringList{"MainForm", "level"}));
}

TEST_F(SettingsStoreTest, BothSpellingsInOneFileAreOneSection) {
    WriteFile("[V2]\ncommon\\tongue=1\nCommon\\MainForm=\"200,0,1,10,20,410,320\"\n"
              "COMMON\\LEVEL=5\ncommon\\level=6\n");
    EXPECT_EQ(ini.LoadNumber("Common", "Tongue", -1), 1);
    EXPECT_EQ(ini.LoadText("common", "mainform", ""), "200,0,1,10,20,410,320");
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 5); // the first of two spellings
    ini.StoreNumber("common", "level", 7);
    ini.StoreNumber("Common", "sound", 0);
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 7);
    EXPECT_EQ(ini.LoadNumber("common", "tongue", -1), 1);

    EXPECT_EQ(RawSections(), QStringList{"common"});
    EXPECT_EQ(RawCommonKeys(), (QStringList{"LEVEL", "MainForm", "sound", "tongue"}));
    EXPECT_EQ(Raw("common/LEVEL"), QVariant(QString("7")));
}

TEST_F(SettingsStoreTest, TheBaseGroupComparesWithoutCaseToo) {
    WriteFile("[v2]\ncommon\\level=9\n\n[V2]\ncommon\\pleft=20\n");
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 9);
    EXPECT_EQ(ini.LoadNumber("common", "pleft", 500), 20);
    ini.StoreNumber("common", "ptop", 30);
    const QByteArray text = FileText();
    EXPECT_TRUE(text.startsWith("[v2]\n")) << text.constData();
    EXPECT_FALSE(text.contains("[V2]")) << text.constData();
    EXPECT_EQ(ini.LoadNumber("common", "pleft", 500), 20);
    EXPECT_EQ(ini.LoadNumber("common", "ptop", 50), 30);
}

TEST_F(SettingsStoreTest, TextsCrossBetweenThisStoreAndQtsSettingsUnchanged) {
    // Blanks at either end are part of a text, other spaces and line ends too.
    const QStringList texts{"/home/me/\"my\" game, 2.ftg",
                            "a;b=c",
                            " padded ",
                            "@at",
                            QString::fromUtf8("Spiel für Jörg"),
                            "tab\there\\",
                            QString::fromUtf8("/home/me/game\u00a0"),
                            QString::fromUtf8("\u3000wide\u2003"),
                            "ends in a tab\t",
                            "line\r\n"};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        ini.StoreText("common", "save", text);
        EXPECT_EQ(Raw("common/save"), QVariant(text));
        WriteRaw("common/other", text);
        EXPECT_EQ(ini.LoadText("common", "other", ""), text);
    }
}

TEST_F(SettingsStoreTest, ADamagedTypedValueGivesTheDefaultWithoutAHugeAllocation) {
    // A serialised list that claims two thousand million items.
    WriteFile("[V2]\ncommon\\level=@Variant(\\0\\0\\0\\t\\0\\x7f\\xff\\xff\\xff)\n"
              "common\\save=@ByteArray(\\x7f\\xff\\xff\\xff)\n");
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 1);
    EXPECT_EQ(ini.LoadText("common", "save", "none"), "none");
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 4096); // kilobytes
    // The damaged values stay as they are when others are written.
    ini.StoreNumber("common", "tongue", 0);
    EXPECT_TRUE(FileText().contains("level=@Variant(")) << FileText().constData();
}

TEST_F(SettingsStoreTest, OnlyTheStartOfAHugeFileIsRead) {
    WriteFile("[V2]\ncommon\\level=12\n");
    QFile file(path);
    ASSERT_TRUE(file.resize(1LL << 30)); // sparse: nothing on the disk
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 12);
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(SettingsFile, AFifoADeviceOrAFolderCountsAsMissingAndIsNeverWritten) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.ini"), folder = dir.filePath("folder.ini"),
                  device = dir.filePath("null.ini");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
    ASSERT_TRUE(QDir().mkdir(folder));
    // The device is a node in the test's folder, reached through a link: a
    // faulty writer could replace or write nothing outside it.
    QStringList paths{fifo, folder}, names{"fifo.ini", "folder.ini"};
    if (MakeNullDevice(dir.filePath("null").toStdString())) {
        ASSERT_TRUE(QFile::link("null", device));
        paths << device;
        names = QStringList{"fifo.ini", "folder.ini", "null", "null.ini"};
    }
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        // Opening the FIFO would block here for good.
        SettingsStore ini(path);
        EXPECT_EQ(ini.LoadNumber("common", "tongue", -1), -1);
        EXPECT_TRUE(ini.LoadFlag("common", "sound", true));
        EXPECT_FALSE(ini.StoreNumber("common", "tongue", 1));
        EXPECT_EQ(ini.LoadNumber("common", "tongue", -1), -1);
    }
    EXPECT_EQ(QFileInfo(fifo).isFile(), false);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    if (paths.size() == 3) {
        EXPECT_TRUE(QFileInfo(device).isSymLink());
    }
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              names);
}

TEST_F(SettingsStoreTest, AFileTooLargeToReadWholeIsNeverRewritten) {
    // Someone else's value of 2 MB before the game's own keys.
    WriteFile("[V2]\ncommon\\level=5\nother\\blob=" + QByteArray(2 << 20, 'x') +
              "\ncommon\\tongue=1\n");
    const QByteArray before = FileText();
    EXPECT_EQ(ini.LoadNumber("common", "level", 1), 5);
    EXPECT_FALSE(ini.StoreNumber("common", "level", 6));
    EXPECT_FALSE(ini.Delete("common", "tongue"));
    EXPECT_EQ(FileText(), before);
}

TEST_F(SettingsStoreTest, AFileOfExactlyOneMebibyteIsStillRewrittenOneByteMoreIsNot) {
    const QByteArray head = "[V2]\ncommon\\level=5\nother\\blob=";
    for (const qsizetype size : {qsizetype(1) << 20, (qsizetype(1) << 20) + 1}) {
        SCOPED_TRACE(size);
        WriteFile(head + QByteArray(size - head.size() - 1, 'x') + '\n');
        const bool whole = size == qsizetype(1) << 20;
        EXPECT_EQ(ini.StoreNumber("common", "level", 6), whole);
        EXPECT_EQ(ini.LoadNumber("common", "level", 1), whole ? 6 : 5);
        EXPECT_EQ(FileText().size(), size);
        EXPECT_TRUE(FileText().endsWith("xxx\n"));
    }
}

TEST_F(SettingsStoreTest, ADeletedKeyGoesUnderEverySpelling) {
    WriteFile("[V2]\ncommon\\MainFormColor=red\nCommon\\mainformcolor=blue\n"
              "COMMON\\MAINFORMCOLOR=green\ncommon\\level=2\n");
    EXPECT_TRUE(ini.Delete("Common", "MainFormColor"));
    EXPECT_EQ(FileText(), "[V2]\ncommon\\level=2\n");
    EXPECT_EQ(ini.LoadText("common", "mainformcolor", "gone"), "gone");
}

TEST_F(SettingsStoreTest, AFailedWriteIsReportedAndKeepsTheFileAsItWas) {
    ASSERT_TRUE(ini.StoreText("common", "save", "/home/me/a.ftg"));
    const QByteArray before = FileText();
    {
        FileSizeLimit noRoom(0);
        EXPECT_FALSE(ini.StoreNumber("common", "level", 9));
    }
    EXPECT_EQ(FileText(), before);
    // The settings file's folder is a plain file: nothing can be created.
    WriteFile("plain");
    EXPECT_FALSE(SettingsStore(path + "/settings.ini").StoreNumber("common", "level", 9));
    EXPECT_EQ(FileText(), "plain");
}

TEST_F(SettingsStoreTest, TwoCopiesStoringAtOnceKeepEveryValue) {
    const auto storeMany = [&](const QString& prefix) {
        int failed = 0;
        for (int k = 0; k < 100; ++k) {
            // A store that found the lock taken all the while is tried again, as
            // the game does at its next write.
            int tries = 0;
            while (!ini.StoreNumber("common", prefix + QString::number(k), k) && ++tries < 100) {
            }
            failed += tries == 100;
        }
        return failed;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(std::min(storeMany("a"), 100));
    EXPECT_EQ(storeMany("b"), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "stores failed in the other copy";
    EXPECT_EQ(RawCommonKeys().size(), 200);
    EXPECT_EQ(ini.LoadNumber("common", "a99", -1), 99);
    EXPECT_EQ(ini.LoadNumber("common", "b99", -1), 99);
}

TEST_F(SettingsStoreTest, DeletingAMissingValueIsNoError) {
    ini.Delete("Common", "MainFormColor");
    ini.StoreText("common", "MainFormFont", "Arial");
    ini.Delete("Common", "mainformfont");
    EXPECT_EQ(ini.LoadText("common", "MainFormFont", "gone"), "gone");
}

TEST(ParseNumber, AcceptsOnlyASignedDecimalThatFits) {
    EXPECT_EQ(ParseNumber("500"), 500);
    EXPECT_EQ(ParseNumber("-1"), -1);
    EXPECT_EQ(ParseNumber("+7"), 7);
    EXPECT_EQ(ParseNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseNumber("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "2147483648", "1.5", "0x10", "5 ", " 5", "1e3"})
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
}

TEST_F(SettingsStoreTest, PlacementStringSurvivesTheStoreWithItsCommas) {
    ini.StoreText("Common", "MainForm", "200,0,1,-50,100,610,450");
    EXPECT_EQ(ini.LoadText("Common", "MainForm", ""), "200,0,1,-50,100,610,450");
}

TEST_F(SettingsStoreTest, FormPlacementCentresWithoutAStoredPlacement) {
    QWidget window;
    window.resize(300, 200);
    Settings settings(path);
    FormPlacement(settings).Restore(&window);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.pos(), CentredOn(screen, QSize(300, 200)));
    // A primary screen right of and below another one.
    EXPECT_EQ(CentredOn(QRect(1920, 100, 1280, 1024), QSize(300, 200)), QPoint(2410, 512));
    // The placement goes into the one section the game's other settings use.
    ASSERT_TRUE(FormPlacement(settings).Store(&window));
    EXPECT_EQ(RawSections(), QStringList{"common"});
}

TEST_F(SettingsStoreTest, FormPlacementRestoresAndStoresTheNormalRectangleAndShowState) {
    ini.StoreText("common", "level", "1"); // the section exists as "common"
    ini.StoreText("Common", "MainFormColor", "red");
    ini.StoreText("Common", "MainForm", "200,0,3,10,20,410,320");
    {
        QWidget window;
        Settings settings(path);
        FormPlacement placement(settings);
        placement.Restore(&window);
        EXPECT_EQ(window.geometry(), QRect(10, 20, 400, 300));
        EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
        window.show();
        placement.Store(&window);
    }
    const auto stored = ParsePlacement(ini.LoadText("Common", "MainForm", ""));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->ShowCmd, ShowMaximized);
    EXPECT_EQ(stored->Normal, QRect(10, 20, 400, 300));
    EXPECT_EQ(ini.LoadText("Common", "MainFormColor", "deleted"), "deleted");
}

TEST_F(SettingsStoreTest, FormPlacementStoredMinimisedComesBackMinimisedAndNormalStaysNormal) {
    for (const int show : {ShowMinimized, ShowNormal}) {
        SCOPED_TRACE(show);
        ini.StoreText("Common", "MainForm", FormatPlacement({0, show, QRect(30, 40, 400, 300)}));
        QWidget window;
        Settings settings(path);
        FormPlacement placement(settings);
        placement.Restore(&window);
        window.show();
        EXPECT_EQ(window.isMinimized(), show == ShowMinimized);
        EXPECT_FALSE(window.isMaximized());
        placement.Store(&window);
        const auto stored = ParsePlacement(ini.LoadText("Common", "MainForm", ""));
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->ShowCmd, show);
        EXPECT_EQ(stored->Normal, QRect(30, 40, 400, 300));
    }
}

} // namespace

TEST_F(SettingsStoreTest, FlagStoredAsMinusOneReadsTrue) {
    WriteRaw("common/sound", "-1");
    EXPECT_TRUE(ini.LoadFlag("common", "sound", false));
}
