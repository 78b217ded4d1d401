#pragma once

#include <QByteArray>

#include <array>
#include <memory>

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

// Where the clips sound. One clip at a time: Play replaces what was playing.
// Stop and Play return at once; the sound goes on elsewhere.
class CueOutput {
  public:
    virtual ~CueOutput() = default;
    // Once, with the format of the first clip loaded, before any cue.
    virtual void Open(int rate, int channels) { (void)rate, (void)channels; }
    virtual bool HasDevice() const = 0;
    virtual void Stop() = 0;
    // The clip must share the format given to Open; another one stays silent.
    virtual void Play(const WaveClip& clip) = 0;
};

// The sound server's default output (PulseAudio, or PipeWire's PulseAudio
// service): one stream, opened on a thread of its own and kept for the whole
// run. A cue hands its whole clip to the server at once. Without a server, or
// once it has gone, every cue is silent.
std::unique_ptr<CueOutput> MakeAudioOutput();

inline constexpr int CueCount = 6;

// The six sound cues: 1 pick-up, 2 put-down, 3 turning step, 4 moving step,
// 5 solved, 6 put-down refused. Cue n plays clip n - 1 without waiting for it;
// a new cue cuts off the one before.
class SoundCues {
  public:
    explicit SoundCues(std::unique_ptr<CueOutput> output);

    // The clips from the program's resources (":/sounds/cue1.wav" ...); a missing
    // one stays empty and silent.
    void LoadClips();
    // Clip index 0..5 from a WAVE image held in memory.
    void SetClip(int index, const QByteArray& image);
    const WaveClip& Clip(int index) const { return clips[index]; }

    // While off, no cue plays and a clip already playing is not cut off.
    void SetOn(bool on) { soundOn = on; }
    bool IsOn() const { return soundOn; }

    // Cue 1..6; other numbers are silent.
    void PlayCue(int cue);

  private:
    std::unique_ptr<CueOutput> output;
    std::array<WaveClip, CueCount> clips; // held for the whole run
    bool soundOn = true;
    bool outputOpen = false;
};
