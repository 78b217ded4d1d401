// accessibility_test.cpp: what a screen reader hears of the game, read over
// AT-SPI. The test starts a session bus of its own (dbus-daemon listening in its
// temporary folder), at-spi2-core's bus launcher on it (whose accessibility bus
// lives in the test's runtime folder), an X server, and the game's window in a
// second copy of this program; it reads the tree with gdbus as an assistive
// tool would.

#include "shell/board_box.h"
#include "shell/main_form.h"
#include "shell_support.h"
#include "support/skip_code.h"
#include "ui/dialog_seam.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

#include <csignal>

namespace {

const char* const ChildMark = "TRIGONET_A11Y_TEST_CHILD";
QString ProgramPath;

bool WaitFor(const std::function<bool()>& done, int milliseconds = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds) return false;
        QTest::qWait(20);
    }
    return true;
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) process.kill();
    process.waitForFinished(1000);
}

// One node of the accessible tree as the bus shows it.
struct Node {
    QString name, description, role;
};

class AtSpiReader {
  public:
    explicit AtSpiReader(QString address) : address(std::move(address)) {}

    QString Call(const QString& dest, const QString& path, const QStringList& method) {
        QProcess gdbus;
        gdbus.start("gdbus", QStringList{"call", "--address", address, "--dest", dest,
                                         "--object-path", path, "--method"} +
                                 method);
        gdbus.waitForFinished(10000);
        return QString::fromUtf8(gdbus.readAllStandardOutput()).trimmed();
    }
    QString Property(const QString& dest, const QString& path, const char* name) {
        const QString reply = Call(
            dest, path, {"org.freedesktop.DBus.Properties.Get", "org.a11y.atspi.Accessible", name});
        // Quoted in double quotes when the text holds an apostrophe.
        static const QRegularExpression text("^\\(<['\"](.*)['\"]>,\\)$");
        const auto match = text.match(reply);
        return match.hasMatch() ? match.captured(1).replace("\\'", "'").replace("\\\"", "\"")
                                : QString();
    }
    QStringList Children(const QString& dest, const QString& path) {
        const QString reply = Call(dest, path, {"org.a11y.atspi.Accessible.GetChildren"});
        // gdbus names the type of the first path only.
        static const QRegularExpression child("\\(':[0-9.]+', (?:objectpath )?'([^']+)'\\)");
        QStringList paths;
        for (auto it = child.globalMatch(reply); it.hasNext();)
            paths << it.next().captured(1);
        return paths;
    }
    // The unique names on the bus that answer for an application root.
    QString FindApplication(const QString& applicationName) {
        const QString names = Call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   {"org.freedesktop.DBus.ListNames"});
        static const QRegularExpression unique("'(:[0-9.]+)'");
        for (auto it = unique.globalMatch(names); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (Property(name, Root, "Name") == applicationName) return name;
        }
        return {};
    }
    // Every node under the root, depth first, at most `limit` of them.
    std::vector<Node> Walk(const QString& dest, int limit = 200) {
        std::vector<Node> nodes;
        QStringList pending{Root};
        while (!pending.isEmpty() && int(nodes.size()) < limit) {
            const QString path = pending.takeFirst();
            nodes.push_back({Property(dest, path, "Name"), Property(dest, path, "Description"),
                             Call(dest, path, {"org.a11y.atspi.Accessible.GetRoleName"})});
            pending = Children(dest, path) + pending;
        }
        return nodes;
    }

    static inline const QString Root = "/org/a11y/atspi/accessible/root";

  private:
    QString address;
};

const Node* Named(const std::vector<Node>& nodes, const QString& name) {
    for (const Node& node : nodes)
        if (node.name == name) return &node;
    return nullptr;
}

// The child: the game's window on the bus, a triangle held, until it is stopped.
int RunChild(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    app.setApplicationName("trigonet-a11y-check");
    QTemporaryDir dir;
    WriteCollection(dir.path(), 2);
    DialogSeam::Responder responder;
    responder.dialog = [](QDialog*) { return 2; };
    DialogSeam::SetResponder(responder);
    auto form = std::make_unique<TMainForm>(dir.path(), dir.filePath("settings.ini"),
                                            std::make_unique<FakeCueOutput>());
    if (!form->FormCreate()) return 3;
    form->CreateSecondaryWindows();
    form->ShowAtPlacement();
    if (!QTest::qWaitForWindowExposed(form.get(), 10000)) return 4;
    form->FormActivate();
    QTest::keyClick(form->box, Qt::Key_N);
    std::cout << "ready" << std::endl;
    return app.exec();
}

} // namespace

QString Gdbus(const QStringList& arguments) {
    QProcess gdbus;
    gdbus.start("gdbus", arguments);
    gdbus.waitForFinished(10000);
    return QString::fromUtf8(gdbus.readAllStandardOutput()).trimmed();
}

// The pid that owns `name` on the bus at `address`, 0 when none answers.
qint64 OwnerPid(const QString& address, const QString& name) {
    const QString reply = Gdbus({"call", "--address", address, "--dest", "org.freedesktop.DBus",
                                 "--object-path", "/org/freedesktop/DBus", "--method",
                                 "org.freedesktop.DBus.GetConnectionUnixProcessID", name});
    static const QRegularExpression pid("uint32 ([0-9]+)");
    const auto match = pid.match(reply);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

TEST(Accessibility, ToolbarBoardAndWindowsCarryNamesOverAtSpi) {
    const QString launcher = "/usr/libexec/at-spi-bus-launcher";
    for (const char* tool : {"dbus-daemon", "gdbus", "Xvfb"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " is not installed: no AT-SPI checks";
    if (!QFileInfo(launcher).isExecutable())
        GTEST_SKIP() << launcher.toStdString() << " is missing: at-spi2-core is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile config(dir.filePath("session-bus.conf"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QString("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                         "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                         "busconfig.dtd\"><busconfig><type>session</type>"
                         "<listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
                         "<policy context=\"default\"><allow user=\"*\"/>"
                         "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                         "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                     .arg(dir.path())
                     .toUtf8());
    config.close();
    for (const char* folder : {"home", "config", "data", "cache", "runtime", "tmp"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
    QFile::setPermissions(dir.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", dir.filePath("home"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CACHE_HOME", dir.filePath("cache"));
    env.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
    // The game is ended by a signal, so its temporary folders go with this one.
    env.insert("TMPDIR", dir.filePath("tmp"));

    QProcess bus;
    bus.setProcessEnvironment(env);
    bus.start("dbus-daemon",
              {"--nofork", "--config-file=" + config.fileName(), "--print-address=1"});
    QByteArray session;
    while (!session.contains('\n') && bus.waitForReadyRead(10000))
        session += bus.readAllStandardOutput();
    session = session.trimmed();
    if (session.isEmpty()) {
        Stop(bus);
        GTEST_SKIP() << "dbus-daemon gave no address: " << bus.readAllStandardError().toStdString();
    }
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(session)); // never the user's

    QProcess server;
    server.setProcessEnvironment(env);
    // Clients reach it through its abstract socket alone: nothing in /tmp/.X11-unix.
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                          "-nolisten", "unix"});
    QByteArray number;
    while (!number.contains('\n') && server.waitForReadyRead(10000))
        number += server.readAllStandardOutput();
    if (number.trimmed().isEmpty()) {
        Stop(server);
        Stop(bus);
        GTEST_SKIP() << "Xvfb gave no display";
    }
    env.insert("DISPLAY", ":" + QString::fromLatin1(number.trimmed()));

    QProcess atSpi;
    atSpi.setProcessEnvironment(env);
    atSpi.start(launcher, {"--launch-immediately", "--a11y=1"});
    QString address;
    WaitFor([&] {
        const QString reply =
            Gdbus({"call", "--address", QString::fromUtf8(session), "--dest", "org.a11y.Bus",
                   "--object-path", "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"});
        static const QRegularExpression quoted("^\\('(.+)',\\)$");
        const auto match = quoted.match(reply);
        if (match.hasMatch()) address = match.captured(1);
        return !address.isEmpty() || atSpi.state() == QProcess::NotRunning;
    });
    // The accessibility bus and its registry are the launcher's children and
    // the bus's; they are ended by their pids when the test is done.
    const qint64 a11yBus = address.isEmpty() ? 0 : OwnerPid(address, "org.freedesktop.DBus");
    auto stopAll = [&](QProcess& game) {
        Stop(game);
        const qint64 registry = OwnerPid(address, "org.a11y.atspi.Registry");
        Stop(atSpi);
        for (const qint64 pid : {registry, a11yBus})
            if (pid > 0) ::kill(pid_t(pid), SIGTERM);
        Stop(server);
        Stop(bus);
    };
    if (address.isEmpty()) {
        QProcess none;
        const std::string said = atSpi.readAllStandardError().toStdString();
        stopAll(none);
        GTEST_SKIP() << "the AT-SPI bus launcher gave no accessibility bus: " << said;
    }

    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    env.insert(ChildMark, "1");
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(ProgramPath, {});
    QByteArray said;
    const bool ready = WaitFor([&] {
        game.waitForReadyRead(50);
        said += game.readAllStandardOutput();
        return said.contains("ready") || game.state() == QProcess::NotRunning;
    });

    std::vector<Node> nodes;
    QString application;
    if (ready && said.contains("ready")) {
        AtSpiReader reader(address);
        WaitFor([&] {
            return !(application = reader.FindApplication("trigonet-a11y-check")).isEmpty();
        });
        if (!application.isEmpty()) nodes = reader.Walk(application);
    }
    const QString errors = QString::fromLocal8Bit(game.readAllStandardError()).right(2000);
    stopAll(game);
    EXPECT_FALSE(QDir(dir.filePath("tmp")).isEmpty(QDir::Dirs | QDir::NoDotAndDotDot));
    ASSERT_TRUE(said.contains("ready")) << "the game did not start: " << errors.toStdString();
    ASSERT_FALSE(application.isEmpty())
        << "the game never spoke on the bus: " << errors.toStdString();

    QStringList heard;
    for (const Node& node : nodes)
        heard << node.role + " '" + node.name + "': " + node.description;
    const Node* window = Named(nodes, "Fribo Trigonet");
    ASSERT_NE(window, nullptr) << heard.join('\n').toStdString();
    EXPECT_EQ(window->description, "The laying puzzle of eight triangles.");
    const Node* board = Named(nodes, "Board");
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->description.startsWith("Triangle 1 held, column 9, row 8, turn "))
        << board->description.toStdString();
    const std::pair<const char*, const char*> buttons[] = {
        {"New game", "I want to play a new game. (Ctrl+N)"},
        {"Open game", "I want to continue an old game. (Ctrl+O)"},
        {"Save game", "Save often, save always. (Ctrl+S)"},
        {"Sound", "I dont like the sound always."},
        {"Statistics", "Let me see, what I've solved until now. (Ctrl+T)"},
        {"Help", "I need a little help. (Ctrl+H)"},
        {"Next Trigonet", "I take the next Trigonet. (Ctrl+PgDown)"},
        {"Quit", "I have enough! (Ctrl+Q)"},
        {"Rules", "What's to do here? (F1)"},
        {"Undo", "I take the last move back. (Ctrl+Z)"},
        {"Redo", "I make that move again. (Ctrl+Shift+Z)"}};
    for (const auto& [name, description] : buttons) {
        const Node* button = Named(nodes, name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->description, description) << name;
        EXPECT_TRUE(button->role.contains(name == std::string("Sound") ? "check box" : "button"))
            << name << ": " << button->role.toStdString();
    }
    EXPECT_NE(Named(nodes, "Target figure"), nullptr);
}

int main(int argc, char* argv[]) {
    ProgramPath = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();
    if (!qgetenv(ChildMark).isEmpty()) return RunChild(argc, argv);
    QCoreApplication app(argc, argv); // for the waits' event loop
    ::testing::InitGoogleTest(&argc, argv);
    return SkipAwareResult(RUN_ALL_TESTS());
}
