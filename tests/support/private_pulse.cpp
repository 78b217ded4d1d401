#include "support/private_pulse.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

QProcessEnvironment ServerEnvironment(const QString& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir);
    env.insert("XDG_RUNTIME_DIR", dir);
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    return env;
}

void StopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

std::vector<qint16> Samples(const QByteArray& bytes) {
    std::vector<qint16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

} // namespace

QByteArray LevelWave(int clip, int ms) {
    const quint32 samples = PrivatePulse::Rate * ms / 1000;
    QByteArray image("RIFF\0\0\0\0WAVEfmt ", 16);
    auto put32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            image.append(char(v >> (8 * i)));
    };
    auto put16 = [&](quint16 v) { image.append(char(v)).append(char(v >> 8)); };
    put32(16), put16(1), put16(1), put32(PrivatePulse::Rate), put32(PrivatePulse::Rate);
    put16(1), put16(8);
    image.append("data");
    put32(samples);
    image.append(QByteArray(samples, char(128 + 16 * (clip + 1))));
    return image;
}

// Level 128 + 16 (c + 1) of 8-bit samples reaches a 16-bit sink as 4096 (c + 1).
int ClipOf(qint16 sample) {
    const int clip = static_cast<int>(std::lround(sample / 4096.0)) - 1;
    return clip >= 0 && clip < 6 && std::abs(sample - 4096 * (clip + 1)) < 1024 ? clip : -1;
}

PrivatePulse::PrivatePulse() {
    if (!dir.isValid()) {
        failure = "no temporary folder";
        return;
    }
    QFile script(dir.filePath("server.pa"));
    if (!script.open(QIODevice::WriteOnly)) {
        failure = "cannot write the server script";
        return;
    }
    // No system configuration: only the socket and the sink the tests need.
    script.write(QString("load-module module-native-protocol-unix socket=%1 auth-anonymous=1\n"
                         "load-module module-null-sink sink_name=cues rate=%2 channels=1 "
                         "format=s16le\n"
                         "set-default-sink cues\n")
                     .arg(dir.filePath("native"))
                     .arg(Rate)
                     .toUtf8());
    script.close();
    server.setProcessEnvironment(ServerEnvironment(dir.path()));
    server.setProcessChannelMode(QProcess::MergedChannels);
    // Runs as root too (tests do in CI); it exits by itself should a test
    // die before stopping it.
    server.start("pulseaudio",
                 {"--daemonize=no", "-n", "--system=no", "--exit-idle-time=30", "--use-pid-file=no",
                  "--disallow-exit=no", "--log-target=stderr", "-F", script.fileName()});
    if (!server.waitForStarted(5000)) {
        failure = "pulseaudio did not start: " + server.errorString();
        return;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QProcess info;
        info.setProcessEnvironment(ServerEnvironment(dir.path()));
        info.start("pactl", {"--server", Address(), "info"});
        if (info.waitForFinished(3000) && info.exitStatus() == QProcess::NormalExit &&
            info.exitCode() == 0)
            return;
        if (server.state() == QProcess::NotRunning) break;
        QThread::msleep(100);
    }
    server.waitForReadyRead(100);
    failure = "pulseaudio did not answer: " + QString::fromLocal8Bit(server.readAll()).trimmed();
    StopProcess(server);
}

PrivatePulse::~PrivatePulse() {
    if (recorder) StopProcess(*recorder);
    StopProcess(server);
}

QString PrivatePulse::Address() const {
    return "unix:" + dir.filePath("native");
}

bool PrivatePulse::StartRecording(bool live, int latencyMs) {
    recorder = std::make_unique<QProcess>();
    recorder->setProcessEnvironment(ServerEnvironment(dir.path()));
    if (!live) recorder->setStandardOutputFile(dir.filePath("monitor.raw"));
    recorder->start("parec", {"--server", Address(), "--device", "cues.monitor", "--raw",
                              "--format=s16le", QString("--rate=%1").arg(Rate), "--channels=1",
                              QString("--latency-msec=%1").arg(latencyMs)});
    if (!recorder->waitForStarted(3000)) return false;
    // parec gives no sign of being connected; a short wait lets it catch the start.
    QThread::msleep(300);
    return recorder->state() == QProcess::Running;
}

std::vector<qint16> PrivatePulse::StopRecording() {
    if (!recorder) return {};
    StopProcess(*recorder);
    recorder.reset();
    QFile file(dir.filePath("monitor.raw"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return Samples(file.read(64 << 20)); // minutes of sound at most
}

std::vector<qint16> PrivatePulse::ReadLive(int timeoutMs) {
    if (!recorder) return {};
    if (recorder->bytesAvailable() == 0 && !recorder->waitForReadyRead(timeoutMs)) return {};
    partial += recorder->readAllStandardOutput();
    const qsizetype whole = partial.size() & ~qsizetype(1);
    std::vector<qint16> samples = Samples(partial.left(whole));
    partial.remove(0, whole);
    return samples;
}
