#include "ui/settings_store.h"

#include "game/files/read_file.h"
#include "game/files/replace_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const Organisation = "FriboGames";
const char* const Application = "FriboTrigonet";
const char* const BaseGroup = "V2";

// Far beyond what the game writes. Of a larger file only the start is read, and
// such a file is never written: what was not read would be lost.
constexpr size_t MaxIniBytes = 1024 * 1024;

// The blanks the file form puts around names and values; any other space
// character belongs to the text.
QByteArray TrimBlanks(const QByteArray& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    qsizetype from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

QString TrimBlanks(const QString& text) {
    const auto blank = [](QChar c) { return c == ' ' || c == '\t' || c == '\r'; };
    qsizetype from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

// Two copies of the game write one settings file: each write reads, changes
// and rewrites the file while it holds a lock on a file beside it, so that no
// change is lost in between. The lock is only tried for a moment: a copy (or a
// hung network home) holding it must never stall the window. Without a lock
// file (an unwritable folder) the write goes on unlocked and fails on its own.
class SettingsLock {
  public:
    explicit SettingsLock(const std::string& settingsPath) {
        const size_t slash = settingsPath.find_last_of('/');
        const std::string lockPath =
            settingsPath.substr(0, slash + 1) + "." + settingsPath.substr(slash + 1) + ".lock";
        fd = ::open(lockPath.c_str(),
                    O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        struct stat info;
        if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0) return;
        const auto until = std::chrono::steady_clock::now() + LockWait;
        do {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return;
            if (errno != EWOULDBLOCK && errno != EINTR) break;
            ::usleep(LockPauseMicroseconds);
        } while (std::chrono::steady_clock::now() < until);
        busy = true;
    }
    ~SettingsLock() {
        if (fd >= 0) ::close(fd); // and with it the lock
    }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    // Another holder kept the lock for the whole wait.
    bool Busy() const { return busy; }

  private:
    // Far longer than a write takes, short enough to go unseen.
    static constexpr std::chrono::milliseconds LockWait{40};
    static constexpr useconds_t LockPauseMicroseconds = 1000;
    int fd = -1;
    bool busy = false;
};

bool SamePath(const QStringList& a, const QStringList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0) return false;
    return true;
}

int HexValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The hex number of `digits` characters at raw[from], or -1.
int HexAt(const QString& raw, qsizetype from, int digits) {
    if (from + digits > raw.size()) return -1;
    int value = 0;
    for (int k = 0; k < digits; ++k) {
        const int h = HexValue(raw[from + k].unicode());
        if (h < 0) return -1;
        value = value * 16 + h;
    }
    return value;
}

// A key or section name as the INI form writes it: "\" separates groups, "%XX"
// and "%UXXXX" stand for other characters.
QStringList UnescapeKey(const QString& raw) {
    QString name;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        int value = -1;
        if (c == '\\') {
            name += '/';
        } else if (c == '%' && i + 1 < raw.size() && raw[i + 1] == 'U' &&
                   (value = HexAt(raw, i + 2, 4)) >= 0) {
            name += QChar(static_cast<char16_t>(value));
            i += 5;
        } else if (c == '%' && (value = HexAt(raw, i + 1, 2)) >= 0) {
            name += QChar(static_cast<char16_t>(value));
            i += 2;
        } else {
            name += c;
        }
    }
    return name.split('/', Qt::SkipEmptyParts);
}

QString EscapeKey(const QStringList& path) {
    QString raw;
    for (qsizetype p = 0; p < path.size(); ++p) {
        if (p) raw += '\\';
        for (const QChar c : path[p]) {
            const char16_t u = c.unicode();
            if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                u == '_' || u == '-' || u == '.')
                raw += c;
            else if (u <= 0xFF)
                raw += '%' + QString("%1").arg(u, 2, 16, QChar('0')).toUpper();
            else
                raw += "%U" + QString("%1").arg(u, 4, 16, QChar('0')).toUpper();
        }
    }
    return raw;
}

// A value's text as the INI form reads it: quotes group, backslash escapes
// ("\n", "\x41", "\101", ...) stand for characters, and commas outside quotes
// separate the items of a list, which is handed back joined with commas again.
QStringList UnescapeValue(const QString& raw) {
    static const char16_t Escapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                          {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                          {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QStringList items;
    QString item;
    qsizetype chopLimit = 0; // blanks before this came from escapes and stay
    bool quoted = false, itemQuoted = false;
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    const auto chop = [&] {
        if (itemQuoted) return;
        while (item.size() > chopLimit && (item.back() == ' ' || item.back() == '\t'))
            item.chop(1);
    };
    skipBlanks();
    while (i < raw.size()) {
        const QChar c = raw[i];
        if (c == '\\') {
            if (++i >= raw.size()) break;
            const char16_t e = raw[i++].unicode();
            const auto* simple = std::find_if(std::begin(Escapes), std::end(Escapes),
                                              [e](const char16_t* pair) { return pair[0] == e; });
            if (simple != std::end(Escapes)) {
                item += QChar((*simple)[1]);
            } else if (e == 'x') {
                char16_t value = 0;
                while (i < raw.size() && HexValue(raw[i].unicode()) >= 0)
                    value = static_cast<char16_t>(value * 16 + HexValue(raw[i++].unicode()));
                item += QChar(value);
            } else if (e >= '0' && e <= '7') {
                char16_t value = e - '0';
                while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                    value = static_cast<char16_t>(value * 8 + (raw[i++].unicode() - '0'));
                item += QChar(value);
            }
            chopLimit = item.size();
        } else if (c == '"') {
            ++i;
            quoted = !quoted;
            itemQuoted = true;
            if (!quoted) skipBlanks();
        } else if (c == ',' && !quoted) {
            chop();
            items += item;
            item.clear();
            chopLimit = 0;
            itemQuoted = false;
            ++i;
            skipBlanks();
        } else {
            item += c;
            ++i;
        }
    }
    chop();
    items += item;
    return items;
}

QString EscapeValue(const QString& text) {
    // A leading "@" would announce a typed value; it is doubled.
    const QString value = text.startsWith('@') ? '@' + text : text;
    QString raw;
    bool needsQuotes = false, hexFollows = false;
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == ';' || u == ',' || u == '=') needsQuotes = true;
        // After a numeric escape a hex digit would be read as part of it.
        if (hexFollows && HexValue(u) >= 0) {
            raw += "\\x" + QString::number(u, 16);
            continue;
        }
        hexFollows = false;
        const char* escaped = nullptr;
        switch (u) {
        case '\a':
            escaped = "\\a";
            break;
        case '\b':
            escaped = "\\b";
            break;
        case '\f':
            escaped = "\\f";
            break;
        case '\n':
            escaped = "\\n";
            break;
        case '\r':
            escaped = "\\r";
            break;
        case '\t':
            escaped = "\\t";
            break;
        case '\v':
            escaped = "\\v";
            break;
        case '"':
            escaped = "\\\"";
            break;
        case '\\':
            escaped = "\\\\";
            break;
        default:
            break;
        }
        if (escaped) {
            raw += escaped;
        } else if (u <= 0x1F) {
            raw += u == 0 ? QString("\\0") : "\\x" + QString::number(u, 16);
            hexFollows = true;
        } else {
            raw += c;
        }
    }
    // Quoted, the blanks at either end are part of the text.
    if (needsQuotes || raw.startsWith(' ') || raw.endsWith(' ')) raw = '"' + raw + '"';
    return raw;
}

// The text a stored value stands for; nothing for a value of another type
// ("@Rect(...)", "@Variant(...)", ...). Those are never decoded: a damaged one could ask for
// any amount of memory.
std::optional<QString> ValueText(const QString& raw) {
    QStringList items = UnescapeValue(raw);
    for (QString& item : items) {
        if (item.startsWith("@@"))
            item.remove(0, 1);
        else if (item.startsWith("@String(") && item.endsWith(')')) // a text with zeros
            item = item.mid(8, item.size() - 9);
        else if (item.startsWith('@') && item.contains('('))
            return std::nullopt;
    }
    return items.join(',');
}

// Bytes that are no UTF-8 (a Latin-1 path, another program's value) are taken
// one character a byte, so that they come back as the same bytes.
bool IsUtf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

} // namespace

QByteArray EscapedBytes(const QByteArray& bytes) {
    if (IsUtf8(bytes)) return EscapeValue(QString::fromUtf8(bytes)).toUtf8();
    return EscapeValue(QString::fromLatin1(bytes)).toLatin1();
}

std::optional<QByteArray> UnescapedBytes(const QByteArray& raw) {
    const bool utf8 = IsUtf8(raw);
    const std::optional<QString> text =
        ValueText(utf8 ? QString::fromUtf8(raw) : QString::fromLatin1(raw));
    if (!text) return std::nullopt;
    const qsizetype zero = text->indexOf(QChar(0));
    const QString kept = zero < 0 ? *text : text->left(zero);
    return utf8 ? kept.toUtf8() : kept.toLatin1();
}

// One value of the INI file as Qt's settings write it: "[V2]", then "common\tongue=-1".
struct SettingsStore::IniEntry {
    QStringList Path; // groups and key, unescaped
    QByteArray Raw;   // the value's bytes as they stand in the file
};

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString& iniPath) : iniPath(iniPath) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FilePath() const {
    if (!iniPath.isEmpty()) return iniPath;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           Organisation + '/' + Application + ".conf";
}

bool SettingsStore::ReadIni(std::vector<IniEntry>& entries) const {
    entries.clear();
    const std::string path = FilePath().toStdString();
    std::vector<uint8_t> bytes;
    // Anything but a regular file counts as missing and is never opened.
    if (!ReadFileStart(path, MaxIniBytes + 1, bytes)) {
        struct stat info;
        return ::stat(path.c_str(), &info) != 0 && errno == ENOENT; // missing: read whole
    }
    const bool whole = bytes.size() <= MaxIniBytes;
    QByteArray text(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(std::min(bytes.size(), MaxIniBytes)));
    if (!whole) text.truncate(text.lastIndexOf('\n') + 1);
    QStringList section;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = TrimBlanks(rawLine);
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            const QString name =
                TrimBlanks(QString::fromUtf8(line.mid(1, close < 0 ? -1 : close - 1)));
            section = name.compare("General", Qt::CaseInsensitive) == 0 ? QStringList()
                                                                        : UnescapeKey(name);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        const QStringList key = UnescapeKey(TrimBlanks(QString::fromUtf8(line.left(equals))));
        if (key.isEmpty()) continue;
        entries.push_back({section + key, TrimBlanks(line.mid(equals + 1))});
    }
    return whole;
}

bool SettingsStore::WriteIni(std::vector<IniEntry> entries) const {
    // One spelling for each group, the first in the file; then one entry for each
    // key, the first, which is also the one a load reads.
    std::vector<QStringList> groups;
    for (IniEntry& entry : entries)
        for (qsizetype depth = 1; depth < entry.Path.size(); ++depth) {
            const QStringList group = entry.Path.mid(0, depth);
            const auto known =
                std::find_if(groups.begin(), groups.end(),
                             [&](const QStringList& g) { return SamePath(g, group); });
            if (known == groups.end())
                groups.push_back(group);
            else
                entry.Path[depth - 1] = known->back();
        }
    std::vector<IniEntry> kept;
    for (IniEntry& entry : entries)
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const IniEntry& k) { return SamePath(k.Path, entry.Path); }))
            kept.push_back(std::move(entry));

    const auto sectionOf = [](const IniEntry& entry) {
        return entry.Path.size() > 1 ? EscapeKey({entry.Path.front()}) : QString("General");
    };
    QStringList sections;
    for (const IniEntry& entry : kept)
        if (!sections.contains(sectionOf(entry))) sections += sectionOf(entry);
    QByteArray text;
    for (const QString& name : sections) {
        if (!text.isEmpty()) text += '\n';
        text += '[' + name.toUtf8() + "]\n";
        for (const IniEntry& entry : kept) {
            if (sectionOf(entry) != name) continue;
            const QStringList key = entry.Path.size() > 1 ? entry.Path.mid(1) : entry.Path;
            text += EscapeKey(key).toUtf8() + '=' + entry.Raw + '\n';
        }
    }

    return ReplaceFile(FilePath().toStdString(), reinterpret_cast<const uint8_t*>(text.data()),
                       static_cast<size_t>(text.size())) == SaveResult::Saved;
}

SettingsStore::Result SettingsStore::Apply(const std::vector<SettingsChange>& changes) {
    const QString path = FilePath();
    const QFileInfo info(path);
    // A FIFO, a device or a folder in its place: the settings are not kept.
    if (info.exists() && !info.isFile()) return Result::Failed;
    if (!QDir().mkpath(info.absolutePath())) return Result::Failed;
    const SettingsLock lock(path.toStdString());
    if (lock.Busy()) return Result::Busy;
    std::vector<IniEntry> entries;
    if (!ReadIni(entries)) return Result::Failed; // what was not read would be lost: left alone
    bool changed = false;
    for (const SettingsChange& change : changes) {
        const QStringList keyPath{BaseGroup, change.Section, change.Key};
        const auto matches = [&](const IniEntry& e) { return SamePath(e.Path, keyPath); };
        const auto found = std::find_if(entries.begin(), entries.end(), matches);
        if (!change.Raw) {
            if (found == entries.end()) continue;
            // Under every spelling, or a load would find the value again.
            entries.erase(std::remove_if(entries.begin(), entries.end(), matches), entries.end());
        } else if (found != entries.end()) {
            found->Raw = *change.Raw;
        } else {
            entries.push_back({keyPath, *change.Raw});
        }
        changed = true;
    }
    if (!changed) return Result::Written;
    return WriteIni(std::move(entries)) ? Result::Written : Result::Failed;
}

std::optional<QByteArray> SettingsStore::LoadRaw(const QString& section, const QString& key) const {
    std::vector<IniEntry> entries;
    ReadIni(entries); // of a file too large to read whole, its start
    const QStringList path{BaseGroup, section, key};
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const IniEntry& e) { return SamePath(e.Path, path); });
    if (found == entries.end()) return std::nullopt;
    return found->Raw;
}

std::optional<QString> SettingsStore::Read(const QString& section, const QString& key) const {
    const std::optional<QByteArray> raw = LoadRaw(section, key);
    if (!raw) return std::nullopt;
    const std::optional<QString> text = ValueText(QString::fromUtf8(*raw));
    if (!text) return std::nullopt; // not stored as text: use the default
    const qsizetype zero = text->indexOf(QChar(0));
    return zero < 0 ? *text : text->left(zero);
}

bool SettingsStore::LoadFlag(const QString& section, const QString& key, bool fallback) const {
    return LoadNumber(section, key, fallback ? 1 : 0) != 0;
}

int SettingsStore::LoadNumber(const QString& section, const QString& key, int fallback) const {
    const std::optional<QString> text = Read(section, key);
    if (!text) return fallback;
    return ParseNumber(*text).value_or(fallback);
}

QString SettingsStore::LoadText(const QString& section, const QString& key,
                                const QString& fallback) const {
    return Read(section, key).value_or(fallback);
}

bool SettingsStore::StoreFlag(const QString& section, const QString& key, bool value) {
    return StoreText(section, key, value ? "1" : "0");
}

bool SettingsStore::StoreNumber(const QString& section, const QString& key, int value) {
    return StoreText(section, key, QString::number(value));
}

bool SettingsStore::StoreText(const QString& section, const QString& key, const QString& value) {
    return Apply({{section, key, EscapeValue(value).toUtf8()}}) == Result::Written;
}

bool SettingsStore::Delete(const QString& section, const QString& key) {
    return Apply({{section, key, std::nullopt}}) == Result::Written;
}

std::optional<int> ParseNumber(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<int>(value);
}
