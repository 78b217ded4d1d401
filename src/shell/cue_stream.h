#pragma once

// cue_stream: where the cues sound, and the sound server's stream that plays them.

#include "shell/wave_clip.h"

#include <QString>

#include <memory>

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
// service), or the one at server ("unix:/path"): one stream, fed from a thread
// of its own (named SoundThreadName) and corked while idle. A cue hands its
// whole clip to the server at once. While there is no server every cue is
// silent; one that comes back or starts late is found within 2 s.
std::unique_ptr<CueOutput> MakeAudioOutput(const QString& server = {});

inline constexpr char SoundThreadName[] = "trigonet-sound";
