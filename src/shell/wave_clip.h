#pragma once

// wave_clip: the samples of a RIFF WAVE image, ready for the sound device.

#include <QByteArray>

// A clip ready to hand to the sound device: signed 16-bit samples in the
// machine's byte order, whatever the image held, so that silence is zero and
// the device never converts.
struct WaveClip {
    int Rate = 0;
    int Channels = 0;
    QByteArray Samples;
    qsizetype SampleCount() const { return Samples.size() / 2; }
    bool IsEmpty() const { return Samples.isEmpty(); }
};

// The samples of a RIFF WAVE image with PCM coding (8-bit unsigned or 16-bit
// signed, one or two channels, any rate); chunks after the data are ignored. An
// empty clip for anything else, a data chunk that ends inside a frame included,
// so a damaged image stays silent.
WaveClip ParseWave(const QByteArray& image);
