#include "designer/design_collection.h"

#include "figures/record_file.h"
#include "shell/install_paths.h"
#include "ui/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>

namespace {

// Far more than 222 lines of source; a larger file is no collection of ours.
constexpr size_t SourceLimit = 4 << 20;

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// After a failed write, while errno still tells why.
QString CannotWriteText(const QString& path, int language) {
    return Text(language, "%1 lässt sich nicht schreiben: %2", "Cannot write %1: %2")
        .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)));
}

bool WriteAtomically(const QString& path, const QByteArray& bytes, int language, QString& error) {
    if (ReplaceFile(Native(path), reinterpret_cast<const uint8_t*>(bytes.data()),
                    static_cast<size_t>(bytes.size())) == SaveResult::Saved)
        return true;
    error = CannotWriteText(path, language);
    return false;
}

// The shipped collection lies beside the source it was built from: its figures
// keep their names when that source holds the same records in the same order.
void TakeNamesFromSource(const QString& sourcePath, DesignCollection& collection) {
    std::vector<uint8_t> bytes;
    FigureSource source;
    std::string problem;
    if (!ReadFileStart(Native(sourcePath), SourceLimit, bytes) ||
        !ParseFigureSource(std::string(bytes.begin(), bytes.end()), source, problem) ||
        source.Figures.size() != collection.Figures.size())
        return;
    for (size_t i = 0; i < source.Figures.size(); ++i)
        if (source.Figures[i].Record != collection.Figures[i].Record ||
            !NameProblem(source.Figures[i].Name, 0).isEmpty())
            return;
    for (size_t i = 0; i < source.Figures.size(); ++i)
        collection.Figures[i].Name = source.Figures[i].Name;
    collection.Header = source.Header;
}

QString CannotReadText(const QString& shown, int language) {
    return Text(language, "%1 lässt sich nicht lesen.", "Cannot read %1.").arg(shown);
}

// The record file's figures in file order, named by their numbers; an empty file
// passes here, to be refused with the source's "no figure".
bool ReadRecordFigures(const QString& path, int language, DesignCollection& read, QString& error) {
    const QString shown = QDir::toNativeSeparators(path);
    const CollectionReading reading = ReadCollectionFile(Native(path));
    switch (reading.Shape) {
    case CollectionFileShape::Whole:
    case CollectionFileShape::Empty:
        break;
    case CollectionFileShape::CannotOpen:
        error = CannotReadText(shown, language);
        return false;
    case CollectionFileShape::TooMany:
        error = Text(language, "%1 hat mehr als 222 Figuren.", "%1 holds more than 222 figures.")
                    .arg(shown);
        return false;
    case CollectionFileShape::PartialTail:
        error =
            Text(language, "%1 endet mitten in einer Figur.", "%1 ends in the middle of a figure.")
                .arg(shown);
        return false;
    }
    for (size_t i = 0; i < reading.Records.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        read.Figures.push_back({Text(language, "Figur %1", "Figure %1").arg(number).toStdString(),
                                reading.Records[i]});
    }
    TakeNamesFromSource(QFileInfo(path).dir().filePath(ShippedSourceName), read);
    return true;
}

// The readable source: every figure named as NameProblem allows, 222 at most.
bool ReadSourceFigures(const QString& path, int language, DesignCollection& read, QString& error) {
    const QString shown = QDir::toNativeSeparators(path);
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(Native(path), SourceLimit + 1, bytes)) {
        error = CannotReadText(shown, language);
        return false;
    }
    if (bytes.size() > SourceLimit) {
        error = Text(language, "%1 ist zu groß für eine Figurensammlung.",
                     "%1 is too large for a figure collection.")
                    .arg(shown);
        return false;
    }
    FigureSource source;
    std::string problem;
    if (!ParseFigureSource(std::string(bytes.begin(), bytes.end()), source, problem)) {
        error = Text(language, "%1, Zeile %2", "%1, line %2")
                    .arg(shown, QString::fromStdString(problem));
        return false;
    }
    for (const SourceFigure& figure : source.Figures)
        if (const QString problem = NameProblem(figure.Name, language); !problem.isEmpty()) {
            error = Text(language, "%1, Zeile %2: %3", "%1, line %2: %3")
                        .arg(shown)
                        .arg(figure.Line)
                        .arg(problem);
            return false;
        }
    if (source.Figures.size() > static_cast<size_t>(MaxFigures)) {
        error = Text(language, "%1 hat %2 Figuren; das Spiel liest höchstens 222.",
                     "%1 holds %2 figures; the game reads 222 at most.")
                    .arg(shown)
                    .arg(source.Figures.size());
        return false;
    }
    read.Header = source.Header;
    read.Figures = std::move(source.Figures);
    return true;
}

} // namespace

bool IsRecordFilePath(const QString& path) {
    return path.endsWith(".dat", Qt::CaseInsensitive);
}

bool ReadDesignCollection(const QString& path, int language, DesignCollection& collection,
                          QString& error) {
    DesignCollection read;
    const bool ok = IsRecordFilePath(path) ? ReadRecordFigures(path, language, read, error)
                                           : ReadSourceFigures(path, language, read, error);
    if (!ok) return false;
    if (read.Figures.empty()) {
        error = Text(language, "%1 enthält keine Figur.", "%1 holds no figure.")
                    .arg(QDir::toNativeSeparators(path));
        return false;
    }
    collection = std::move(read);
    return true;
}

bool WriteSourceFile(const QString& path, const DesignCollection& collection, int language,
                     QString& error) {
    FigureSource source{collection.Header, collection.Figures};
    if (source.Header.empty())
        source.Header = "# Figures for Fribo Trigonet, laid in fribo-trigonet-designer.\n"
                        "#   Name: col row orient, ... (eight placements, triangle 1 first)\n"
                        "\n";
    return WriteAtomically(path, QByteArray::fromStdString(FormatFigureSource(source)), language,
                           error);
}

bool WriteDesignRecords(const QString& path, const DesignCollection& collection, int language,
                        QString& error) {
    std::vector<FigureRecord> records;
    for (const SourceFigure& figure : collection.Figures)
        records.push_back(figure.Record);
    size_t offBoard = 0;
    switch (WriteGameRecords(Native(path), records, offBoard)) {
    case RecordWrite::Written:
        return true;
    case RecordWrite::BadCount:
        error = Text(language, "Das Spiel liest 1 bis 222 Figuren; die Sammlung hat %1.",
                     "The game reads 1 to 222 figures; the collection has %1.")
                    .arg(records.size());
        return false;
    case RecordWrite::OffBoard:
        error = Text(language, "Figur %1 (%2) liegt nicht ganz auf dem Brett.",
                     "Figure %1 (%2) does not lie wholly on the board.")
                    .arg(offBoard + 1)
                    .arg(QString::fromStdString(collection.Figures[offBoard].Name));
        return false;
    case RecordWrite::CannotWrite:
        break;
    }
    error = CannotWriteText(path, language);
    return false;
}

QString PersonalCollectionPath() {
    return QDir(PersonalCollectionFolder()).filePath(CollectionFileName);
}

bool InstallForMe(const DesignCollection& collection, int language, QString& error) {
    const QString path = PersonalCollectionPath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        error =
            Text(language, "Der Ordner %1 lässt sich nicht anlegen.", "Cannot make the folder %1.")
                .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // The source beside the records keeps the names for when the player opens
    // the installed collection again; the game reads only the records.
    return WriteSourceFile(QDir(folder).filePath(ShippedSourceName), collection, language, error) &&
           WriteDesignRecords(path, collection, language, error);
}

QString NameProblem(const QString& name, int language) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Text(language, "Die Figur braucht einen Namen.", "The figure needs a name.");
    if (trimmed.contains(':') || trimmed.contains('\n') || trimmed.contains('\r'))
        return Text(language,
                    "Ein Name darf keinen Doppelpunkt und keinen Zeilenumbruch enthalten.",
                    "A name may hold neither a colon nor a line break.");
    // A control or direction mark would hide or reorder what the list shows.
    for (const QChar ch : trimmed) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x200e || c == 0x200f || c == 0x061c ||
            (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069))
            return Text(language,
                        "Ein Name darf keine Steuerzeichen und keine Schreibrichtungszeichen "
                        "enthalten.",
                        "A name may hold no control characters and no direction marks.");
    }
    if (trimmed.startsWith('#'))
        return Text(language, "Ein Name darf nicht mit # beginnen.",
                    "A name may not begin with #.");
    if (trimmed.size() > MaxNameLength)
        return Text(language, "Ein Name hat höchstens 80 Zeichen.",
                    "A name has 80 characters at most.");
    return {};
}

QString NameProblem(const std::string& bytes, int language) {
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decode.hasError())
        return Text(language, "Ein Name muss gültiger UTF-8-Text sein.",
                    "A name must be valid UTF-8 text.");
    return NameProblem(name, language);
}
