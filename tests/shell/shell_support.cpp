#include "shell_support.h"

#include "support/test_figures.h"

#include <QFile>
#include <QtEndian>

void WriteCollection(const QString& dir, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const FigureRecord figure = BigSquare(30 + i % 10, 15 + i % 7);
        bytes.append(reinterpret_cast<const char*>(figure.data()), sizeof(FigureRecord));
    }
    QFile file(dir + "/ftrg2.dat");
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

namespace {
void Put32(QByteArray& a, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    a.append(b, 4);
}
void Put16(QByteArray& a, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    a.append(b, 2);
}
} // namespace

QByteArray WaveImage(int samples, int bits, bool trailingChunk) {
    const int bytes = samples * bits / 8;
    QByteArray format;
    Put16(format, 1); // PCM
    Put16(format, 1);
    Put32(format, 22050);
    Put32(format, 22050 * bits / 8);
    Put16(format, bits / 8);
    Put16(format, bits);
    QByteArray body = "WAVE";
    body += "fmt ";
    Put32(body, format.size());
    body += format;
    body += "data";
    Put32(body, bytes);
    for (int i = 0; i < bytes; ++i)
        body.append(char(128 + (i % 32) - 16));
    if (bytes % 2) body.append('\0');
    if (trailingChunk) {
        body += "LIST";
        Put32(body, 4);
        body += "INFO";
    }
    QByteArray image = "RIFF";
    Put32(image, body.size());
    return image + body;
}
