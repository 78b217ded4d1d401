#pragma once

// sound_cues: the six cues of the board and the clips they play.

#include "shell/cue_stream.h"
#include "shell/wave_clip.h"

#include <array>
#include <memory>

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
