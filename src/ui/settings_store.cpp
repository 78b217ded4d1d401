#include "ui/settings_store.h"

#include "game/data.h"
#include "ui/centre_over_main.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cerrno>

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
QString TrimBlanks(const QString& text) {
    const auto blank = [](QChar c) { return c == ' ' || c == '\t' || c == '\r'; };
    qsizetype from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

// Two copies of the game write one settings file: each change reads, changes
// and rewrites the file while it holds a lock on a file beside it, so that no
// change is lost in between. Without a lock file (an unwritable folder) the
// change goes on unlocked and its write fails on its own.
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
        if (fd >= 0) ::flock(fd, LOCK_EX);
    }
    ~SettingsLock() {
        if (fd >= 0) ::close(fd); // and with it the lock
    }
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

  private:
    int fd = -1;
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

} // namespace

// One value of the INI file as Qt's settings write it: "[V2]", then "common\tongue=-1".
struct SettingsStore::IniEntry {
    QStringList Path; // groups and key, unescaped
    QString Raw;      // the value as it stands in the file
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
        const QString line = TrimBlanks(QString::fromUtf8(rawLine));
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            const QString name = TrimBlanks(line.mid(1, close < 0 ? -1 : close - 1));
            section = name.compare("General", Qt::CaseInsensitive) == 0 ? QStringList()
                                                                        : UnescapeKey(name);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        const QStringList key = UnescapeKey(TrimBlanks(line.left(equals)));
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
            text += EscapeKey(key).toUtf8() + '=' + entry.Raw.toUtf8() + '\n';
        }
    }

    return ReplaceFile(FilePath().toStdString(), reinterpret_cast<const uint8_t*>(text.data()),
                       static_cast<size_t>(text.size())) == SaveResult::Saved;
}

bool SettingsStore::Change(const QString& section, const QString& key,
                           const std::optional<QString>& value) {
    const QString path = FilePath();
    const QFileInfo info(path);
    // A FIFO, a device or a folder in its place: the settings are not kept.
    if (info.exists() && !info.isFile()) return false;
    if (!QDir().mkpath(info.absolutePath())) return false;
    const SettingsLock lock(path.toStdString());
    std::vector<IniEntry> entries;
    if (!ReadIni(entries)) return false; // what was not read would be lost: left alone
    const QStringList keyPath{BaseGroup, section, key};
    const auto matches = [&](const IniEntry& e) { return SamePath(e.Path, keyPath); };
    const auto found = std::find_if(entries.begin(), entries.end(), matches);
    if (!value) {
        if (found == entries.end()) return true;
        entries.erase(std::remove_if(entries.begin(), entries.end(), matches), entries.end());
    } else if (found != entries.end()) {
        found->Raw = EscapeValue(*value);
    } else {
        entries.push_back({keyPath, EscapeValue(*value)});
    }
    return WriteIni(std::move(entries));
}

std::optional<QString> SettingsStore::Read(const QString& section, const QString& key) const {
    std::vector<IniEntry> entries;
    ReadIni(entries); // of a file too large to read whole, its start
    const QStringList path{BaseGroup, section, key};
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const IniEntry& e) { return SamePath(e.Path, path); });
    if (found == entries.end()) return std::nullopt;
    const std::optional<QString> text = ValueText(found->Raw);
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
    return Change(section, key, value);
}

bool SettingsStore::Delete(const QString& section, const QString& key) {
    return Change(section, key, std::nullopt);
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

QString FormatPlacement(const WindowPlacement& p) {
    const QRect& r = p.Normal;
    return QStringList{QString::number(PlacementMark),
                       QString::number(p.Flags),
                       QString::number(p.ShowCmd),
                       QString::number(r.left()),
                       QString::number(r.top()),
                       QString::number(r.left() + r.width()),
                       QString::number(r.top() + r.height())}
        .join(',');
}

std::optional<WindowPlacement> ParsePlacement(const QString& text) {
    const QStringList items = text.split(',');
    if (items.size() != 7) return std::nullopt;
    int n[7];
    for (int i = 0; i < 7; ++i) {
        const std::optional<int> value = ParseNumber(items[i]);
        if (!value) return std::nullopt;
        n[i] = *value;
    }
    if (n[0] != PlacementMark) return std::nullopt;
    const long long width = static_cast<long long>(n[5]) - n[3];
    const long long height = static_cast<long long>(n[6]) - n[4];
    if (width <= 0 || height <= 0 || width > 1 << 20 || height > 1 << 20) return std::nullopt;
    return WindowPlacement{n[1], n[2], QRect(n[3], n[4], int(width), int(height))};
}

QPoint CentredOn(const QRect& area, const QSize& size) {
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2};
}

QRect KeepOnDesktop(QRect rect, const QRect& desktop) {
    const int desktopRight = desktop.left() + desktop.width();
    const int desktopBottom = desktop.top() + desktop.height();
    if (rect.left() + rect.width() > desktopRight) rect.moveLeft(desktopRight - rect.width());
    if (rect.top() + rect.height() > desktopBottom) rect.moveTop(desktopBottom - rect.height());
    if (rect.left() < desktop.left()) rect.moveLeft(desktop.left());
    if (rect.top() < desktop.top()) rect.moveTop(desktop.top());
    return rect;
}

QRect KeepFrameOnDesktop(const QRect& client, const QMargins& frame, const QRect& desktop) {
    return KeepOnDesktop(client.marginsAdded(frame), desktop).marginsRemoved(frame);
}

FormPlacement::FormPlacement(SettingsStore& ini, QString key) : ini(ini), key(std::move(key)) {}

void FormPlacement::Restore(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const std::optional<WindowPlacement> placement =
        ParsePlacement(ini.LoadText("common", key, ""));
    if (!placement) {
        if (!screen) return;
        const QRect area = screen->geometry();
        PlaceNowAndWhenFramed(window, [window, area] {
            const QSize size = window->frameGeometry().size();
            window->move(CentredOn(area, size));
        });
        return;
    }
    flags = placement->Flags;
    const QRect desktop = screen ? screen->virtualGeometry() : placement->Normal;
    const QRect normal = placement->Normal;
    // The frame counts too: a title bar above the desktop could not be grabbed.
    PlaceNowAndWhenFramed(window, [window, normal, desktop] {
        if (window->isMaximized()) return;
        window->setGeometry(KeepFrameOnDesktop(normal, FrameMargins(window), desktop));
    });
    if (placement->ShowCmd == ShowMaximized) window->setWindowState(Qt::WindowMaximized);
    if (placement->ShowCmd == ShowMinimized) window->setWindowState(Qt::WindowMinimized);
}

bool FormPlacement::Store(const QWidget* window) {
    WindowPlacement placement;
    placement.Flags = flags;
    placement.ShowCmd = window->isMinimized()   ? ShowMinimized
                        : window->isMaximized() ? ShowMaximized
                                                : ShowNormal;
    placement.Normal = window->normalGeometry();
    if (placement.Normal.isEmpty()) placement.Normal = window->geometry();
    // After a failed write the others would fail alike.
    return ini.StoreText("common", key, FormatPlacement(placement)) &&
           ini.Delete("common", key + "Color") && ini.Delete("common", key + "Font");
}
