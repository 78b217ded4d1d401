#include "shell/wave_clip.h"

#include <QtEndian>

namespace {

quint32 Le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 Le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

} // namespace

WaveClip ParseWave(const QByteArray& image) {
    const char* bytes = image.constData();
    const qsizetype size = image.size();
    if (size < 12 || image.left(4) != "RIFF" || image.mid(8, 4) != "WAVE") return {};
    WaveClip clip;
    int bits = 0;
    qsizetype at = 12;
    while (at + 8 <= size) {
        const QByteArray id = image.mid(at, 4);
        const quint32 length = Le32(bytes + at + 4);
        const qsizetype body = at + 8;
        if (length > static_cast<quint64>(size - body)) return {};
        if (id == "fmt ") {
            if (length < 16 || Le16(bytes + body) != 1) return {}; // PCM only
            clip.Channels = Le16(bytes + body + 2);
            clip.Rate = static_cast<int>(Le32(bytes + body + 4));
            bits = Le16(bytes + body + 14);
            if (clip.Channels < 1 || clip.Channels > 2 || clip.Rate < 1000 || clip.Rate > 192000)
                return {};
            if (bits != 8 && bits != 16) return {};
        } else if (id == "data") {
            // A part of a frame would shift every later sample.
            const quint32 frame = clip.Channels * bits / 8;
            if (bits == 0 || length == 0 || length % frame != 0) return {};
            const qsizetype count = length / (bits / 8);
            clip.Samples.resize(count * 2);
            auto* out = reinterpret_cast<qint16*>(clip.Samples.data());
            for (qsizetype i = 0; i < count; ++i)
                out[i] = bits == 8 ? static_cast<qint16>((quint8(bytes[body + i]) - 128) * 256)
                                   : qFromLittleEndian<qint16>(bytes + body + 2 * i);
            return clip;
        }
        at = body + length + (length & 1); // chunks are padded to even sizes
    }
    return {};
}
