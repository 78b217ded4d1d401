// sound_bench: what a cue costs, through a PulseAudio server of the bench's own.
#include "support/private_pulse.h"
#include "shell/sound_cues.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

PrivatePulse* server = nullptr;
SoundCues* waves = nullptr;

bool Ready(benchmark::State& state) {
    if (waves) return true;
    state.SkipWithError(
        ("no private PulseAudio server: " + server->Failure()).toStdString().c_str());
    return false;
}

// Waits for the first sample of clip in the live recording; the milliseconds
// since clock started, or -1 after timeoutMs.
double HeardAfter(int clip, const QElapsedTimer& clock, int timeoutMs) {
    while (clock.elapsed() < timeoutMs) {
        const std::vector<qint16> samples = server->ReadLive(20);
        if (std::any_of(samples.begin(), samples.end(),
                        [&](qint16 s) { return ClipOf(s) == clip; }))
            return clock.nsecsElapsed() / 1e6;
    }
    return -1;
}

void DrainLive() {
    while (!server->ReadLive(0).empty()) {
    }
}

// From PlayCue to the cue's first samples coming back from the sink's monitor:
// the stream's own latency plus the recorder's millisecond or so. The clips
// last 100 ms.
void BM_CueLatency(benchmark::State& state) {
    if (!Ready(state)) return;
    server->StartRecording(true, 1);
    std::vector<double> latencies;
    double worstAfterPause = 0, worstCuttingOff = 0;
    for (auto _ : state) {
        latencies.clear();
        for (int i = 0; i < 50; ++i) {
            // Some cut off the cue before, some come after a pause.
            QThread::msleep(30 + i % 7 * 20);
            DrainLive();
            const int cue = 1 + i % 2;
            QElapsedTimer clock;
            clock.start();
            waves->PlayCue(cue);
            const double ms = HeardAfter(cue - 1, clock, 1000);
            if (ms < 0) continue;
            latencies.push_back(ms);
            double& worst = i % 7 >= 4 ? worstAfterPause : worstCuttingOff; // 110 ms and more
            worst = std::max(worst, ms);
        }
    }
    server->StopRecording();
    std::sort(latencies.begin(), latencies.end());
    state.counters["heard"] = latencies.size();
    if (latencies.empty()) return;
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["worst_ms"] = latencies.back();
    state.counters["worst_cutting_off_ms"] = worstCuttingOff;
    state.counters["worst_after_pause_ms"] = worstAfterPause;
}
BENCHMARK(BM_CueLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the window thread pays for one cue.
void BM_PlayCueCall(benchmark::State& state) {
    if (!Ready(state)) return;
    int cue = 0;
    for (auto _ : state)
        waves->PlayCue(1 + cue++ % 4);
}
BENCHMARK(BM_PlayCueCall);

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ServerCpuSeconds() {
    QFile stat(QString("/proc/%1/stat").arg(server->ServerPid()));
    if (!stat.open(QIODevice::ReadOnly)) return 0;
    const QByteArray line = stat.read(4096);
    // Fields 14 and 15, counted after the parenthesised command name.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) / sysconf(_SC_CLK_TCK);
}

// The open stream with nothing to play, as a percentage of one core: the game's
// own process and the sound server it keeps busy.
void BM_IdleStream(benchmark::State& state) {
    if (!Ready(state)) return;
    QThread::msleep(1500); // the last cue of the bench before fades out
    for (auto _ : state) {
        const double game = ProcessCpuSeconds(), pulse = ServerCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QThread::msleep(state.range(0));
        const double wall = clock.nsecsElapsed() / 1e9;
        state.counters["game_cpu_%"] = 100 * (ProcessCpuSeconds() - game) / wall;
        state.counters["server_cpu_%"] = 100 * (ServerCpuSeconds() - pulse) / wall;
    }
}
BENCHMARK(BM_IdleStream)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto pulse = std::make_unique<PrivatePulse>();
    server = pulse.get();
    std::unique_ptr<SoundCues> cues;
    if (pulse->Running()) {
        qputenv("PULSE_SERVER", pulse->Address().toUtf8());
        cues = std::make_unique<SoundCues>(MakeAudioOutput());
        for (int i = 0; i < CueCount; ++i)
            cues->SetClip(i, LevelWave(i, 100));
        // An idle null sink takes up to two seconds to take on a new stream.
        pulse->StartRecording(true, 5);
        QElapsedTimer clock;
        clock.start();
        cues->PlayCue(1);
        if (HeardAfter(0, clock, 8000) >= 0) waves = cues.get();
        pulse->StopRecording();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    cues.reset();
    return 0;
}
