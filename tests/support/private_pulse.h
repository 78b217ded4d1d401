#pragma once

// private_pulse: a sound server of a test's own, PulseAudio or PipeWire with
// WirePlumber and its PulseAudio service, with one null sink whose monitor is
// recorded, so the sound cues are heard through a real server; and what a
// recording tells about the cues that were asked for.

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A WAVE image of 8-bit mono samples at the sink's rate that holds one steady
// level of clip's own for ms milliseconds, so a recording tells which clip
// sounds at each moment. clip is 0..5.
QByteArray LevelWave(int clip, int ms);
// The clip a recorded sample belongs to, or -1 for silence or anything else.
int ClipOf(qint16 sample);

// Gives this process's own sound clients (the game's stream, the recorder) a
// home, configuration, runtime folder and cookie inside dir, so that nothing
// is written in the caller's home.
void KeepSoundClientsIn(const QString& dir);

// The CPU seconds and the voluntary context switches (wake-ups) of a process
// so far, from /proc; zeros once it has gone.
struct ProcessUse {
    double cpuSeconds = 0;
    qint64 wakeUps = 0;
};
ProcessUse UseOf(qint64 pid);

enum class SoundServer { PulseAudio, PipeWire };
const char* NameOf(SoundServer kind);

class PrivatePulse {
  public:
    // The sink's format: what the game's clips are.
    static constexpr int Rate = 22050;

    // Starts the server (unless told not to) and waits until it answers;
    // Failure() says why not.
    explicit PrivatePulse(SoundServer kind = SoundServer::PulseAudio, bool start = true);
    // Stops the recorder and every process it started, by their process ids.
    ~PrivatePulse();

    // Stops every process, keeping the folder and so the address: a server
    // that has gone away. Start brings it back, as after a crash or an update.
    void Stop();
    bool Start();

    bool Running() const { return failure.isEmpty() && !processes.empty(); }
    const QString& Failure() const { return failure; }
    // For PULSE_SERVER.
    QString Address() const;
    std::vector<qint64> ServerPids() const;
    // What the server's processes have used so far, all together.
    ProcessUse ServerUse() const;
    // The null sink's state as the server tells it: "RUNNING", "IDLE",
    // "SUSPENDED"; empty when it does not answer.
    QString SinkState() const;

    // Records the sink's monitor as signed 16-bit mono samples on a thread
    // of its own; true once the first samples have come.
    bool StartRecording();
    // How many samples have come back so far: the sink's clock as seen here,
    // a few milliseconds behind.
    qint64 Recorded() const;
    std::vector<qint16> StopRecording();

  private:
    bool Launch(QProcess& process, const QString& program, const QStringList& arguments);
    bool Answers(int timeoutMs);
    bool StartPulseAudio();
    bool StartPipeWire();

    SoundServer kind;
    QTemporaryDir dir;
    QProcessEnvironment environment;
    std::vector<std::unique_ptr<QProcess>> processes; // in start order
    QString failure;

    std::thread recorder;
    std::atomic<bool> recording = false;
    std::atomic<qint64> recorded = 0;
    std::atomic<qint64> arrived = 0; // when the last samples came, on clock
    QElapsedTimer clock;
    qint64 fragment = 0; // samples
    std::mutex lock;
    std::vector<qint16> samples;
};

// One cue as the game asked for it: the clip, its length in samples and the
// recorder's count at the call.
struct CueCall {
    int clip;
    int samples;
    qint64 at;
};

// What the recording holds of one cue.
struct CueHeard {
    bool heard = false;
    qint64 start = 0, end = 0; // its first sample and the one after its last
    double onsetMs = 0;        // from the call to its first sample at the sink
    int dropouts = 0;          // runs of zeros longer than 1 ms inside it
    bool cutOff = false;       // the next cue began before it would have ended
    bool complete = false;     // to its last sample, or to the next cue
};

struct Hearing {
    std::vector<CueHeard> cues;
    int idleNoise = 0; // samples that are neither a cue nor zero
    int Heard() const;
    int Complete() const;
    int Dropouts() const;
    std::vector<double> Onsets() const; // sorted, of the cues heard
};

// Finds the calls in order in the recording. A cue is complete when it runs
// without a dropout from its first sample to its end, or up to the first
// sample of the cue that cut it off.
Hearing Hear(const std::vector<qint16>& recording, const std::vector<CueCall>& calls);
