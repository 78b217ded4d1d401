#include "support/private_pulse.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {

void StopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
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

void KeepSoundClientsIn(const QString& dir) {
    QDir().mkpath(dir + "/config");
    QDir().mkpath(dir + "/runtime");
    qputenv("HOME", dir.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dir + "/config").toLocal8Bit());
    qputenv("XDG_STATE_HOME", (dir + "/state").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (dir + "/cache").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (dir + "/runtime").toLocal8Bit());
    qputenv("PULSE_COOKIE", (dir + "/cookie").toLocal8Bit());
}

ProcessUse UseOf(qint64 pid) {
    ProcessUse use;
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.read(4096);
        // Fields 14 and 15, counted after the parenthesised command name.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() >= 13)
            use.cpuSeconds = (fields[11].toDouble() + fields[12].toDouble()) / sysconf(_SC_CLK_TCK);
    }
    // Every thread's: a server's sinks run on threads of their own.
    const QString tasks = QString("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks + "/" + task + "/status");
        if (!status.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : status.read(16384).split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                use.wakeUps += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return use;
}

const char* NameOf(SoundServer kind) {
    return kind == SoundServer::PulseAudio ? "PulseAudio" : "PipeWire";
}

PrivatePulse::PrivatePulse(SoundServer kind, bool start) : kind(kind) {
    if (!dir.isValid()) {
        failure = "no temporary folder";
        return;
    }
    environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.path());
    environment.insert("XDG_RUNTIME_DIR", dir.path());
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.insert("XDG_STATE_HOME", dir.filePath("state"));
    environment.remove("DBUS_SESSION_BUS_ADDRESS");
    environment.remove("PULSE_SERVER");
    environment.remove("PIPEWIRE_REMOTE");
    if (start) Start();
}

bool PrivatePulse::Start() {
    if (!dir.isValid()) return false;
    Stop();
    failure.clear();
    if (kind == SoundServer::PulseAudio ? StartPulseAudio() : StartPipeWire()) return true;
    if (failure.isEmpty()) failure = QString(NameOf(kind)) + " did not answer";
    for (auto process = processes.rbegin(); process != processes.rend(); ++process) {
        (*process)->waitForReadyRead(10);
        const QString said = QString::fromLocal8Bit((*process)->readAll()).trimmed();
        if (!said.isEmpty()) failure += "\n" + (*process)->program() + ": " + said.right(400);
    }
    return false;
}

PrivatePulse::~PrivatePulse() {
    Stop();
}

void PrivatePulse::Stop() {
    StopRecording();
    for (auto process = processes.rbegin(); process != processes.rend(); ++process)
        StopProcess(**process);
    processes.clear();
    // A server killed outright leaves its sockets behind; ours, in our folder.
    for (const char* socket : {"native", "pulse/native", "bus"})
        QFile::remove(dir.filePath(socket));
}

bool PrivatePulse::Launch(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (process.waitForStarted(5000)) return true;
    failure = program + " did not start: " + process.errorString();
    return false;
}

// True once the server lists the sink; false when it ends or takes too long.
bool PrivatePulse::Answers(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QProcess info;
        info.setProcessEnvironment(environment);
        info.start("pactl", {"--server", Address(), "list", "short", "sinks"});
        if (info.waitForFinished(3000) && info.exitStatus() == QProcess::NormalExit &&
            info.exitCode() == 0 && info.readAll().contains("cues"))
            return true;
        for (const auto& process : processes)
            if (process->state() == QProcess::NotRunning) return false;
        QThread::msleep(100);
    }
    return false;
}

bool PrivatePulse::StartPulseAudio() {
    // No system configuration: only the socket and the sink the tests need.
    const QString script = dir.filePath("server.pa");
    if (!WriteFile(script,
                   QString("load-module module-native-protocol-unix socket=%1 auth-anonymous=1\n"
                           "load-module module-null-sink sink_name=cues rate=%2 channels=1 "
                           "format=s16le\n"
                           "set-default-sink cues\n"
                           "load-module module-suspend-on-idle timeout=1\n")
                       .arg(dir.filePath("native"))
                       .arg(Rate)
                       .toUtf8())) {
        failure = "cannot write the server script";
        return false;
    }
    // Runs as root too (tests do in CI); it exits by itself should a test die
    // before stopping it, though not within an idle look of a minute.
    QProcess& server = *processes.emplace_back(std::make_unique<QProcess>());
    return Launch(server, "pulseaudio",
                  {"--daemonize=no", "-n", "--system=no", "--exit-idle-time=90",
                   "--use-pid-file=no", "--disallow-exit=no", "--log-target=stderr", "-F",
                   script}) &&
           Answers(10000);
}

bool PrivatePulse::StartPipeWire() {
    // WirePlumber wants a session bus; a private one keeps the test off the
    // machine's. Its monitors stay off, so no real device is touched.
    const QString plumber = dir.filePath("config/wireplumber");
    if (!QDir().mkpath(plumber + "/main.lua.d") || !QDir().mkpath(plumber + "/bluetooth.lua.d") ||
        !WriteFile(plumber + "/main.lua.d/51-private.lua",
                   "alsa_monitor.enabled = false\nv4l2_monitor.enabled = false\n"
                   "libcamera_monitor.enabled = false\n") ||
        !WriteFile(plumber + "/bluetooth.lua.d/51-private.lua",
                   "bluez_monitor.enabled = false\n")) {
        failure = "cannot write the WirePlumber settings";
        return false;
    }
    const QString bus = "unix:path=" + dir.filePath("bus");
    QProcess& dbus = *processes.emplace_back(std::make_unique<QProcess>());
    if (!Launch(dbus, "dbus-daemon", {"--session", "--nofork", "--nopidfile", "--address=" + bus}))
        return false;
    const QDeadlineTimer deadline(5000);
    while (!QFile::exists(dir.filePath("bus")) && !deadline.hasExpired())
        QThread::msleep(20);
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus);
    for (const char* program : {"pipewire", "wireplumber", "pipewire-pulse"})
        if (!Launch(*processes.emplace_back(std::make_unique<QProcess>()), program, {}))
            return false;
    const QDeadlineTimer socket(10000);
    while (!QFile::exists(dir.filePath("pulse/native")) && !socket.hasExpired())
        QThread::msleep(20);
    QProcess load;
    load.setProcessEnvironment(environment);
    load.start("pactl", {"--server", Address(), "load-module", "module-null-sink", "sink_name=cues",
                         QString("rate=%1").arg(Rate), "channels=1", "format=s16le"});
    if (!load.waitForFinished(5000) || load.exitCode() != 0) {
        failure = "pipewire-pulse did not load the null sink: " + QString(load.readAll());
        return false;
    }
    if (!Answers(10000)) return false;
    // WirePlumber links new streams to the default sink; the null sink is the
    // only one, but it takes a moment to be chosen.
    QProcess choose;
    choose.setProcessEnvironment(environment);
    choose.start("pactl", {"--server", Address(), "set-default-sink", "cues"});
    choose.waitForFinished(3000);
    for (const auto& process : processes)
        if (process->state() == QProcess::NotRunning) {
            failure = process->program() + " ended";
            return false;
        }
    return true;
}

QString PrivatePulse::Address() const {
    return "unix:" + dir.filePath(kind == SoundServer::PulseAudio ? "native" : "pulse/native");
}

QString PrivatePulse::SinkState() const {
    QProcess info;
    info.setProcessEnvironment(environment);
    info.start("pactl", {"--server", Address(), "list", "short", "sinks"});
    if (!info.waitForFinished(3000)) return {};
    for (const QByteArray& line : info.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() >= 5 && fields[1] == "cues") return QString(fields[4]);
    }
    return {};
}

ProcessUse PrivatePulse::ServerUse() const {
    ProcessUse sum;
    for (const qint64 pid : ServerPids()) {
        const ProcessUse use = UseOf(pid);
        sum.cpuSeconds += use.cpuSeconds;
        sum.wakeUps += use.wakeUps;
    }
    return sum;
}

std::vector<qint64> PrivatePulse::ServerPids() const {
    std::vector<qint64> pids;
    for (const auto& process : processes)
        if (process->program() != "dbus-daemon") pids.push_back(process->processId());
    return pids;
}

bool PrivatePulse::StartRecording() {
    StopRecording();
    const pa_sample_spec format{PA_SAMPLE_S16NE, Rate, 1};
    // PulseAudio renders a null sink ahead by what its monitor asks for, and a
    // rewind for a new cue is lost from the monitor: fragments of 2 ms keep
    // that to a sample or so. PipeWire never rewinds, and there small fragments
    // would set the pace of the whole graph; 20 ms is a desktop's pace.
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = attr.prebuf = attr.minreq = static_cast<uint32_t>(-1);
    fragment = Rate / (kind == SoundServer::PulseAudio ? 500 : 50);
    attr.fragsize = fragment * 2;

    int error = 0;
    const QByteArray address = Address().toUtf8();
    pa_simple* monitor = pa_simple_new(address.constData(), "recorder", PA_STREAM_RECORD,
                                       "cues.monitor", "monitor", &format, nullptr, &attr, &error);
    if (!monitor) return false;
    samples.clear();
    recorded = 0;
    clock.start();
    recording = true;
    recorder = std::thread([this, monitor] {
        qint16 chunk[44]; // 2 ms
        while (recording.load()) {
            if (pa_simple_read(monitor, chunk, sizeof chunk, nullptr) < 0) break;
            {
                const std::lock_guard<std::mutex> guard(lock);
                samples.insert(samples.end(), chunk, chunk + std::size(chunk));
            }
            // The time first: a reader may see a count one chunk behind it,
            // never one ahead.
            arrived = clock.nsecsElapsed();
            recorded += std::size(chunk);
        }
        pa_simple_free(monitor);
    });
    // An idle null sink wakes up to its monitor only when its long sleep ends.
    const QDeadlineTimer deadline(5000);
    while (recorded.load() == 0 && !deadline.hasExpired())
        QThread::msleep(10);
    return recorded.load() > 0;
}

// The count goes up a fragment at a time; between two, the sink's clock goes
// on at its rate.
qint64 PrivatePulse::Recorded() const {
    const qint64 count = recorded.load();
    const qint64 since = (clock.nsecsElapsed() - arrived.load()) * Rate / 1000000000;
    return count + std::clamp<qint64>(since, 0, fragment);
}

std::vector<qint16> PrivatePulse::StopRecording() {
    if (!recorder.joinable()) return {};
    recording = false;
    recorder.join();
    const std::lock_guard<std::mutex> guard(lock);
    return std::move(samples);
}

int Hearing::Heard() const {
    return static_cast<int>(
        std::count_if(cues.begin(), cues.end(), [](auto& c) { return c.heard; }));
}
int Hearing::Complete() const {
    return static_cast<int>(
        std::count_if(cues.begin(), cues.end(), [](auto& c) { return c.complete; }));
}
int Hearing::Dropouts() const {
    int sum = 0;
    for (const CueHeard& cue : cues)
        sum += cue.dropouts;
    return sum;
}
std::vector<double> Hearing::Onsets() const {
    std::vector<double> onsets;
    for (const CueHeard& cue : cues)
        if (cue.heard) onsets.push_back(cue.onsetMs);
    std::sort(onsets.begin(), onsets.end());
    return onsets;
}

Hearing Hear(const std::vector<qint16>& recording, const std::vector<CueCall>& calls) {
    constexpr qint64 Ms = PrivatePulse::Rate / 1000;
    constexpr qint64 Edge = 2 * Ms; // a resampler rings for a moment at each edge
    const qint64 size = static_cast<qint64>(recording.size());
    // Three samples in a row, so a step between two levels is not taken for
    // the clip whose level it crosses.
    const auto clipAt = [&](qint64 k) {
        const int clip = ClipOf(recording[k]);
        return k + 2 < size && ClipOf(recording[k + 1]) == clip && ClipOf(recording[k + 2]) == clip
                   ? clip
                   : -1;
    };
    Hearing hearing;
    hearing.cues.resize(calls.size());
    qint64 cursor = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        const CueCall& call = calls[i];
        CueHeard& cue = hearing.cues[i];
        // It sounds after the call, and before the next cue begins.
        const qint64 limit =
            std::min(size, i + 1 < calls.size() ? calls[i + 1].at + 200 * Ms : size);
        qint64 k = std::max(cursor, call.at);
        while (k < limit && clipAt(k) != call.clip)
            ++k;
        if (k >= limit) continue;
        cue.heard = true;
        cue.start = k;
        cue.onsetMs = double(k - call.at) / Ms;
        qint64 last = k;
        for (; k < size && k < cue.start + call.samples + Edge && k - last < 200 * Ms; ++k) {
            if (ClipOf(recording[k]) == call.clip)
                last = k;
            else if (const int other = clipAt(k); other >= 0 && other != call.clip)
                break;
        }
        cue.end = last + 1;
        qint64 zeros = 0;
        for (qint64 j = cue.start; j < cue.end; ++j) {
            zeros = recording[j] == 0 ? zeros + 1 : 0;
            if (zeros == Ms + 1) ++cue.dropouts;
        }
        cursor = cue.end;
    }
    std::vector<bool> inCue(recording.size(), false);
    for (size_t i = 0; i < calls.size(); ++i) {
        CueHeard& cue = hearing.cues[i];
        if (!cue.heard) continue;
        const CueHeard* next =
            i + 1 < calls.size() && hearing.cues[i + 1].heard ? &hearing.cues[i + 1] : nullptr;
        cue.cutOff = next && next->start < cue.start + calls[i].samples - Edge;
        cue.complete =
            cue.dropouts == 0 && (cue.cutOff ? cue.end <= next->start + Edge
                                             : cue.end - cue.start >= calls[i].samples - Edge);
        for (qint64 j = std::max<qint64>(0, cue.start - Edge); j < std::min(size, cue.end + Edge);
             ++j)
            inCue[j] = true;
    }
    for (qint64 j = 0; j < size; ++j)
        if (!inCue[j] && recording[j] != 0) ++hearing.idleNoise;
    return hearing;
}
