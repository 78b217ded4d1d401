#include "shell/sound_cues.h"

#include <QFile>

#include <utility>

SoundCues::SoundCues(std::unique_ptr<CueOutput> output) : output(std::move(output)) {}

void SoundCues::LoadClips() {
    for (int i = 0; i < CueCount; ++i) {
        QFile file(QString(":/sounds/cue%1.wav").arg(i + 1));
        SetClip(i, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
}

void SoundCues::SetClip(int index, const QByteArray& image) {
    if (index < 0 || index >= CueCount) return;
    clips[index] = ParseWave(image);
    if (!outputOpen && !clips[index].IsEmpty()) {
        output->Open(clips[index].Rate, clips[index].Channels);
        outputOpen = true;
    }
}

void SoundCues::PlayCue(int cue) {
    if (!soundOn) return;
    output->Stop();
    if (cue < 1 || cue > CueCount) return;
    const WaveClip& clip = clips[cue - 1];
    if (clip.IsEmpty() || !output->HasDevice()) return;
    output->Play(clip);
}
