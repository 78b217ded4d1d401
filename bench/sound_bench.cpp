// sound_bench: what the player hears of the sound cues, through a PulseAudio
// server and through PipeWire's PulseAudio service of the bench's own, on an
// idle machine and on one loaded to twice its cores.
//   trigonet-sound-bench [--quick] [--rest] [--server PulseAudio|PipeWire]
// --quick: PulseAudio at rest, a few cues; --rest: no load.
#include "shell/sound_cues.h"
#include "support/private_pulse.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// As long as the game's own clips, in milliseconds.
constexpr int ClipMs[CueCount] = {100, 130, 30, 50, 2300, 250};

struct Row {
    Hearing hearing;
    int calls = 0;
    double firstOnsetMs = -1;
    double callUs = 0;
    double gameCpu = 0, serverCpu = 0;
};

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double CpuSeconds(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray line = stat.read(4096);
    // Fields 14 and 15, counted after the parenthesised command name.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) / sysconf(_SC_CLK_TCK);
}

double ServerCpuSeconds(const PrivatePulse& server) {
    double sum = 0;
    for (const qint64 pid : server.ServerPids())
        sum += CpuSeconds(pid);
    return sum;
}

// Busy processes, twice as many as the machine has cores, for as long as it lives.
class Load {
  public:
    explicit Load(bool on) {
        if (!on) return;
        const long cores = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
        for (long i = 0; i < 2 * cores; ++i) {
            auto& spinner = spinners.emplace_back(std::make_unique<QProcess>());
            spinner->start("sh", {"-c", "while :; do :; done"});
            spinner->waitForStarted(3000);
        }
        QThread::msleep(500);
    }
    ~Load() {
        for (auto& spinner : spinners) {
            spinner->kill(); // by its process id
            spinner->waitForFinished(3000);
        }
    }

  private:
    std::vector<std::unique_ptr<QProcess>> spinners;
};

// The game from its start: the first cue while the stream is still opened,
// twenty cues at paces from a fast drag to far apart, one after an idle
// spell, and the solved cue.
Row Session(PrivatePulse& server, bool loaded, bool quick) {
    static const int order[] = {1, 4, 3, 4, 2, 6, 1, 3, 4, 3, 2, 1, 4, 6, 1, 3, 4, 2, 1, 6};
    static const int paces[] = {40, 90, 160, 300, 600};
    const Load load(loaded);
    Row row;
    if (!server.StartRecording()) return row;
    std::vector<CueCall> calls;
    auto waves = std::make_unique<SoundCues>(MakeAudioOutput());
    for (int i = 0; i < CueCount; ++i)
        waves->SetClip(i, LevelWave(i, ClipMs[i]));
    const auto cue = [&](int n) {
        calls.push_back({n - 1, ClipMs[n - 1] * PrivatePulse::Rate / 1000, server.Recorded()});
        waves->PlayCue(n);
    };
    cue(1);
    QThread::msleep(800);
    for (int i = 0; i < (quick ? 5 : 20); ++i) {
        cue(order[i]);
        QThread::msleep(paces[i % 5]);
    }
    QThread::msleep(quick ? 500 : 3000);
    cue(2);
    QThread::msleep(400);
    cue(5);
    QThread::msleep(ClipMs[4] + 500);
    row.hearing = Hear(server.StopRecording(), calls);
    if (qEnvironmentVariableIsSet("SOUND_BENCH_CUES"))
        for (size_t i = 0; i < calls.size(); ++i)
            std::printf("  cue %2zu clip %d at %7lld: %s onset %6.1f ms, %6.1f ms, %d dropouts\n",
                        i, calls[i].clip, static_cast<long long>(calls[i].at),
                        row.hearing.cues[i].heard ? "heard" : "LOST ", row.hearing.cues[i].onsetMs,
                        (row.hearing.cues[i].end - row.hearing.cues[i].start) * 1000.0 /
                            PrivatePulse::Rate,
                        row.hearing.cues[i].dropouts);
    row.calls = static_cast<int>(calls.size());
    if (row.hearing.cues.front().heard) row.firstOnsetMs = row.hearing.cues.front().onsetMs;
    row.hearing.cues.erase(row.hearing.cues.begin()); // the rest have the stream open

    // What the window thread pays for one cue.
    QElapsedTimer clock;
    clock.start();
    const int count = quick ? 100 : 2000;
    for (int i = 0; i < count; ++i)
        waves->PlayCue(1 + i % 4);
    row.callUs = clock.nsecsElapsed() / 1e3 / count;
    QThread::msleep(300);

    // The open stream with nothing to play, as a percentage of one core.
    const double game = ProcessCpuSeconds(), sound = ServerCpuSeconds(server);
    clock.restart();
    QThread::msleep(quick ? 500 : 3000);
    const double wall = clock.nsecsElapsed() / 1e9;
    row.gameCpu = 100 * (ProcessCpuSeconds() - game) / wall;
    row.serverCpu = 100 * (ServerCpuSeconds(server) - sound) / wall;
    return row;
}

void Print(const char* server, const char* condition, const Row& row) {
    const std::vector<double> onsets = row.hearing.Onsets();
    const double median = onsets.empty() ? -1 : onsets[onsets.size() / 2];
    const double worst = onsets.empty() ? -1 : onsets.back();
    std::printf(
        "| %-10s | %-4s | %5d/%-2d | %8d | %8d | %6.1f | %6.1f | %8.1f | %7.2f | %4.1f | %6.1f |\n",
        server, condition, row.hearing.Heard() + (row.firstOnsetMs >= 0), row.calls,
        row.hearing.Complete() + (row.firstOnsetMs >= 0), row.hearing.Dropouts(), median, worst,
        row.firstOnsetMs, row.callUs, row.gameCpu, row.serverCpu);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The bench's own clients keep their cookie out of the caller's home.
    QTemporaryDir clients;
    if (!clients.isValid()) return 1;
    KeepSoundClientsIn(clients.path());
    const QStringList arguments = app.arguments();
    const bool quick = arguments.contains("--quick");
    const bool restOnly = quick || arguments.contains("--rest");
    const qsizetype serverAt = arguments.indexOf("--server");
    const QString only = quick                                             ? "PulseAudio"
                         : serverAt > 0 && serverAt + 1 < arguments.size() ? arguments[serverAt + 1]
                                                                           : QString();
    std::printf("Latencies from PlayCue to the first sample at the sink, in ms, the first cue\n"
                "after start-up apart (its own column); a cue is complete when it has no\n"
                "dropout (zeros over 1 ms) and lasts to its end or to the next cue. Idle CPU\n"
                "in %% of one core: the game, and the server's processes.\n\n");
    std::printf("| server     | load | heard    | complete | dropouts | median | worst  | first ms "
                "| call us | game | server |\n");
    std::printf("|------------|------|----------|----------|----------|--------|--------|----------"
                "|---------|------|--------|\n");
    int failures = 0;
    for (const SoundServer kind : {SoundServer::PulseAudio, SoundServer::PipeWire}) {
        if (!only.isEmpty() && only.compare(NameOf(kind), Qt::CaseInsensitive) != 0) continue;
        PrivatePulse server(kind);
        if (!server.Running()) {
            std::printf("| %-10s | no server: %s\n", NameOf(kind),
                        server.Failure().left(200).toLocal8Bit().constData());
            continue;
        }
        qputenv("PULSE_SERVER", server.Address().toUtf8());
        for (const bool loaded : {false, true}) {
            if (restOnly && loaded) continue;
            const Row row = Session(server, loaded, quick);
            if (row.calls == 0) ++failures;
            Print(NameOf(kind), loaded ? "2x" : "rest", row);
        }
    }
    return failures == 0 ? 0 : 1;
}
