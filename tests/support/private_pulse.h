#pragma once

// private_pulse: a PulseAudio server of a test's own, with one null sink whose
// monitor can be recorded, so the sound cues are heard through a real server.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A WAVE image of 8-bit mono samples at the sink's rate that holds one steady
// level of clip's own for ms milliseconds, so a recording tells which clip
// sounds at each moment. clip is 0..5.
QByteArray LevelWave(int clip, int ms);
// The clip a recorded sample belongs to, or -1 for silence.
int ClipOf(qint16 sample);

class PrivatePulse {
  public:
    // The sink's format: what the game's clips are, so nothing is resampled.
    static constexpr int Rate = 22050;

    // Starts the server and waits until it answers; Failure() says why not.
    PrivatePulse();
    // Stops the recorder and the server, by their process ids.
    ~PrivatePulse();

    bool Running() const { return failure.isEmpty(); }
    const QString& Failure() const { return failure; }
    // For PULSE_SERVER.
    QString Address() const;

    // Records the sink's monitor as signed 16-bit mono samples: into a file
    // (Recorded() reads it), or into a pipe when live (ReadLive() reads it).
    bool StartRecording(bool live = false, int latencyMs = 50);
    std::vector<qint16> StopRecording();
    // Samples that arrived within timeoutMs; empty when none did.
    std::vector<qint16> ReadLive(int timeoutMs);
    qint64 RecorderPid() const { return recorder ? recorder->processId() : 0; }
    qint64 ServerPid() const { return server.processId(); }

  private:
    QTemporaryDir dir;
    QProcess server;
    std::unique_ptr<QProcess> recorder;
    QString failure;
    QByteArray partial; // an odd byte left from a live read
};
