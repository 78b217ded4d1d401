#pragma once

#include "dialog_test_support.h"
#include "game/data.h"
#include "game/game.h"
#include "shell/sound_cues.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// Writes `count` figures to dir/ftrg2.dat: squares at different places.
void WriteCollection(const QString& dir, int count);

// Lays `goal` on the board with the keys alone, as a player would: for each
// triangle in turn N picks it up, the arrows and R or L bring it to its place,
// and Enter puts it down. Answers false as soon as a key does not do its part.
bool LayWithKeys(QWidget* board, const Game& game, const FigureRecord& goal);

// A RIFF WAVE image: 22050 samples per second, one channel, `samples` 8-bit
// samples (or 16-bit), optionally followed by a LIST chunk.
QByteArray WaveImage(int samples, int bits = 8, bool trailingChunk = false);

// Records what the game asks of the sound device: "stop" and "play N" with N the
// clip's samples. Shares the log with the test, which keeps it after the
// window has taken the output.
struct FakeCueOutput : CueOutput {
    std::shared_ptr<std::vector<QString>> log = std::make_shared<std::vector<QString>>();
    bool device = true;
    bool HasDevice() const override { return device; }
    void Stop() override { log->push_back("stop"); }
    void Play(const WaveClip& clip) override {
        log->push_back(QString("play %1").arg(clip.SampleCount()));
    }
};
