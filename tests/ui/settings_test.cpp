#include "ui/settings.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SettingsTest : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath("settings.ini");

    void WriteFile(const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray FileText() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// What the program writes to stderr while it lives, kept in `path` (GoogleTest's
// own capture goes through a file in /tmp).
struct StderrInto {
    explicit StderrInto(const QString& path) {
        std::fflush(stderr);
        const int file = ::open(QFile::encodeName(path).constData(),
                                O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (file >= 0) ::dup2(file, 2), ::close(file);
    }
    ~StderrInto() {
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
    }
    const int saved = ::dup(2);
};

// A second process on the same settings file: it reads them when started,
// changes what `change` changes, then writes when told to and ends.
class OtherCopy {
  public:
    OtherCopy(const QString& path, const std::function<void(Settings&)>& change) {
        int ready[2], go[2];
        if (::pipe(ready) != 0 || ::pipe(go) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            Settings settings(path);
            change(settings);
            char byte = 1;
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(go[0], &byte, 1);
            ::_exit(settings.Write() ? 0 : 1);
        }
        char byte;
        (void)!::read(ready[0], &byte, 1);
        goFd = go[1];
        ::close(go[0]);
        ::close(ready[0]);
        ::close(ready[1]);
    }
    void Write() {
        const char byte = 1;
        (void)!::write(goFd, &byte, 1);
    }
    // True when it wrote its settings.
    bool Wait() {
        int status = 0;
        return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }
    ~OtherCopy() { ::close(goFd); }

  private:
    pid_t pid = -1;
    int goFd = -1;
};

// Holds the settings lock from another process until it is ended.
class LockHolder {
  public:
    explicit LockHolder(const QString& lockPath) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            const int fd = ::open(lockPath.toLocal8Bit().constData(), O_RDWR | O_CREAT, 0600);
            const char byte = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
            (void)!::write(ready[1], &byte, 1);
            ::pause();
            ::_exit(0);
        }
        char byte = 0;
        held = ::read(ready[0], &byte, 1) == 1 && byte == 1;
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~LockHolder() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    bool held = false;

  private:
    pid_t pid = -1;
};

} // namespace

TEST_F(SettingsTest, ValuesOutsideTheirBoundsGiveTheDefaults) {
    WriteFile("[V2]\ncommon\\tongue=2\ncommon\\level=223\ncommon\\sound=0\n"
              "common\\pleft=2000000\ncommon\\ptop=-70\ncommon\\MainForm=\"200,0,1,5,5,5,9\"\n");
    const Settings settings(path);
    EXPECT_EQ(settings.Tongue(), -1);
    EXPECT_EQ(settings.Level(), 1);
    EXPECT_FALSE(settings.Sound());
    EXPECT_EQ(settings.TargetPosition(), QPoint(500, -70));
    EXPECT_FALSE(settings.MainPlacement().has_value()); // no width
    EXPECT_EQ(settings.Collection(), "");               // the shipped one
    WriteFile("[V2]\ncommon\\tongue=1\ncommon\\level=222\ncommon\\save=/a b/c.ftg\n"
              "common\\collection=/d/mine.dat\n");
    const Settings again(path);
    EXPECT_EQ(again.Tongue(), 1);
    EXPECT_EQ(again.Level(), 222);
    EXPECT_TRUE(again.Sound());
    EXPECT_EQ(again.SaveFile(), "/a b/c.ftg");
    EXPECT_EQ(again.Collection(), "/d/mine.dat");
    EXPECT_EQ(again.TargetPosition(), QPoint(500, 50));
}

TEST_F(SettingsTest, AGameOnAFreshHomeWritesTheFileItAlwaysWrote) {
    {
        Settings settings(path);
        settings.SetSound(true);
        settings.SetLevel(1);
        settings.SetTongue(-1);
        settings.SetSaveFile("");
        ASSERT_TRUE(settings.Write());
        settings.SetTargetPosition({500, 50});
        ASSERT_TRUE(settings.Write());
        settings.SetMainPlacement({0, ShowNormal, QRect(10, 20, 660, 350)});
        ASSERT_TRUE(settings.Write());
    }
    EXPECT_EQ(FileText(), "[V2]\ncommon\\sound=1\ncommon\\level=1\ncommon\\tongue=-1\n"
                          "common\\save=\ncommon\\pleft=500\ncommon\\ptop=50\n"
                          "common\\MainForm=\"200,0,1,10,20,670,370\"\n");
    // The same values once more change nothing, not even the file's time.
    const QDateTime written = QFileInfo(path).lastModified();
    Settings settings(path);
    settings.SetSound(true);
    settings.SetLevel(1);
    EXPECT_TRUE(settings.Write());
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

TEST_F(SettingsTest, TwoCopiesKeepEachOthersChangesWhicheverEndsFirst) {
    for (const int order : {0, 1, 2}) {
        SCOPED_TRACE(order); // 0: this one first, 1: the other first, 2: both at once
        WriteFile("[V2]\ncommon\\tongue=0\ncommon\\level=3\ncommon\\sound=1\ncommon\\ptop=5\n");
        Settings mine(path);
        mine.SetTongue(1);
        mine.SetLevel(4);    // both change the level
        mine.SetSound(true); // unchanged
        OtherCopy other(path, [](Settings& s) {
            s.SetLevel(9);
            s.SetSound(false);
            s.SetTongue(0); // unchanged
            s.SetTargetPosition({40, 5});
        });
        if (order == 1) {
            other.Write();
            ASSERT_TRUE(other.Wait());
        }
        if (order == 2) other.Write();
        EXPECT_TRUE(mine.Write());
        if (order == 0) other.Write();
        if (order != 1) {
            ASSERT_TRUE(other.Wait());
        }
        const Settings after(path);
        EXPECT_EQ(after.Tongue(), 1);
        EXPECT_FALSE(after.Sound());
        EXPECT_EQ(after.TargetPosition(), QPoint(40, 5));
        if (order == 0) {
            EXPECT_EQ(after.Level(), 9); // the last one written
        }
        if (order == 1) {
            EXPECT_EQ(after.Level(), 4);
        }
    }
}

TEST_F(SettingsTest, ALockHeldElsewhereCostsAMomentAndTheValuesAreWrittenLater) {
    WriteFile("[V2]\ncommon\\level=3\n");
    std::optional<LockHolder> holder(std::in_place, dir.filePath(".settings.ini.lock"));
    ASSERT_TRUE(holder->held) << "the other process could not take the lock";
    Settings settings(path);
    settings.SetLevel(7);
    std::optional<StderrInto> capture(std::in_place, dir.filePath("stderr"));
    for (int write = 0; write < 2; ++write) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(settings.Write());
        EXPECT_LT(timer.elapsed(), 100); // the window goes on answering
        settings.SetTongue(1);
    }
    capture.reset();
    QFile stderrFile(dir.filePath("stderr"));
    ASSERT_TRUE(stderrFile.open(QIODevice::ReadOnly));
    const std::string said = stderrFile.readAll().toStdString();
    EXPECT_NE(said.find("locked"), std::string::npos) << said;
    EXPECT_EQ(said.find("locked"), said.rfind("locked")) << "said more than once: " << said;
    EXPECT_EQ(FileText(), "[V2]\ncommon\\level=3\n");
    EXPECT_EQ(settings.Level(), 7);
    holder.reset();
    EXPECT_TRUE(settings.Write());
    EXPECT_EQ(FileText(), "[V2]\ncommon\\level=7\ncommon\\tongue=1\n");
}

TEST_F(SettingsTest, BytesThatAreNoUtf8StayTheSameBytes) {
    const QByteArray latin1Path = dir.filePath("sp").toLocal8Bit() + "\xe9l.ftg";
    WriteFile("[other]\nname=caf\xe9 \xff\n\n[V2]\ncommon\\save=" + latin1Path + "\n");
    {
        Settings settings(path);
        EXPECT_EQ(settings.SaveFile(), latin1Path.toStdString());
        settings.SetLevel(4);
        ASSERT_TRUE(settings.Write());
    }
    EXPECT_EQ(FileText(), "[other]\nname=caf\xe9 \xff\n\n[V2]\ncommon\\save=" + latin1Path +
                              "\ncommon\\level=4\n");
    // Written by the game, such a path comes back the same too.
    const std::string other = "/home/j\xf6rg/\x01\"game\".ftg";
    {
        Settings settings(path);
        settings.SetSaveFile(other);
        ASSERT_TRUE(settings.Write());
    }
    EXPECT_EQ(Settings(path).SaveFile(), other);
    EXPECT_TRUE(FileText().contains("name=caf\xe9 \xff\n"));
}

TEST_F(SettingsTest, AMissingSettingsFolderIsMade) {
    const QString deep = dir.filePath("new/FriboGames/settings.ini");
    {
        Settings settings(deep);
        settings.SetLevel(5);
        EXPECT_TRUE(settings.Write());
    }
    EXPECT_EQ(Settings(deep).Level(), 5);
}

TEST_F(SettingsTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    WriteFile("[V2]\ncommon\\level=3\n");
    ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0200), 0); // writable, not readable
    const auto tryToWrite = [&] {
        Settings settings(path);
        settings.SetLevel(8);
        return settings.Write();
    };
    if (::geteuid() != 0) {
        EXPECT_FALSE(tryToWrite());
    } else {
        // A privileged user reads anything: the write is tried as nobody.
        const uid_t nobody = 65534;
        ASSERT_EQ(::chown(path.toLocal8Bit().constData(), nobody, nobody), 0);
        ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(3);
            ::_exit(tryToWrite() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot become nobody here";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "an unreadable file was written over";
    }
    ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(FileText(), "[V2]\ncommon\\level=3\n");
}
