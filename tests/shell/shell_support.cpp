#include "shell_support.h"

#include "support/test_figures.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <cstdlib>

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

bool LayWithKeys(QWidget* board, const Game& game, const FigureRecord& goal) {
    auto press = [board](Qt::Key key, int times = 1) {
        for (int k = 0; k < times; ++k)
            QTest::keyClick(board, key);
    };
    for (int t = 1; t <= TriangleCount; ++t) {
        press(Qt::Key_N);
        if (game.board.Selected != t) return false;
        const Placement held = game.board.Triangles[t], to = goal[t - 1];
        press(to.Col > held.Col ? Qt::Key_Right : Qt::Key_Left, std::abs(to.Col - held.Col));
        press(to.Row > held.Row ? Qt::Key_Down : Qt::Key_Up, std::abs(to.Row - held.Row));
        const int turns = (to.Orient - held.Orient + 16) % 16;
        if (turns <= 8)
            press(Qt::Key_R, turns);
        else
            press(Qt::Key_L, 16 - turns);
        if (!(game.board.Triangles[t] == to)) return false;
        press(Qt::Key_Return);
        if (game.board.Selected) return false;
    }
    return true;
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
