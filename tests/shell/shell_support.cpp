#include "shell_support.h"

#include "dialogs/yesno.h"

#include <QFile>
#include <QtEndian>

FigureRecord SquareFigure(int left, int top) {
    // Orientation 0 fills the lower right half of a 10 x 10 square around its
    // anchor, orientation 8 the upper left half.
    FigureRecord figure;
    int t = 0;
    for (int dy : {0, 10})
        for (int dx : {0, 10}) {
            const int x = left + dx, y = top + dy;
            figure[t++] = {uint8_t(x + 7), uint8_t(y + 7), 0};
            figure[t++] = {uint8_t(x + 3), uint8_t(y + 3), 8};
        }
    return figure;
}

void WriteCollection(const QString& dir, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const FigureRecord figure = SquareFigure(30 + i % 10, 15 + i % 7);
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

SeamRecorder::SeamRecorder() {
    DialogSeam::Responder responder;
    responder.dialog = [this](QDialog* dialog) {
        QString name = dialog->objectName();
        if (auto* yesNo = qobject_cast<TYesNoDlg*>(dialog))
            name += QString(" %1").arg(yesNo->Kind());
        dialogs << name;
        return onDialog ? onDialog(dialog) : dialogAnswer;
    };
    responder.box = [this](DialogSeam::BoxKind, const QString&, const QString& text) {
        boxes << text;
        return 1;
    };
    responder.file = [this](const DialogSeam::FileRequest& request) {
        dialogs << (request.save ? "save" : "open");
        return onFile ? onFile(request) : QString();
    };
    DialogSeam::SetResponder(responder);
}

SeamRecorder::~SeamRecorder() {
    DialogSeam::SetResponder({});
}
