#pragma once

// cue_stream: where the cues sound, and the sound server's stream that plays them.

#include "shell/wave_clip.h"

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
// service): one stream, opened on a thread of its own and kept for the whole
// run. A cue hands its whole clip to the server at once. Without a server, or
// once it has gone, every cue is silent.
std::unique_ptr<CueOutput> MakeAudioOutput();
