#include "ui/settings_store.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>

namespace {

const char* const Organisation = "FriboGames";
const char* const Application = "FriboTrigonet";
const char* const BaseGroup = "V2";

// The existing name that equals `wanted` but for case, else `wanted` itself.
QString Resolve(const QStringList& existing, const QString& wanted) {
    for (const QString& name : existing)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) return name;
    return wanted;
}

void EnterSection(QSettings& settings, const QString& section) {
    settings.beginGroup(BaseGroup);
    settings.beginGroup(Resolve(settings.childGroups(), section));
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString& iniPath) : iniPath(iniPath) {}

SettingsStore::~SettingsStore() = default;

std::unique_ptr<QSettings> SettingsStore::Open() const {
    if (!iniPath.isEmpty()) return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
    return std::make_unique<QSettings>(Organisation, Application);
}

std::optional<QString> SettingsStore::Read(const QString& section, const QString& key) const {
    const auto settings = Open();
    EnterSection(*settings, section);
    const QString name = Resolve(settings->childKeys(), key);
    if (!settings->contains(name)) return std::nullopt;
    const QVariant value = settings->value(name);
    QString text;
    // An INI file hands back a text with commas as a list.
    if (value.typeId() == QMetaType::QStringList)
        text = value.toStringList().join(',');
    else if (value.typeId() == QMetaType::QString)
        text = value.toString();
    else
        return std::nullopt; // not stored as text: use the default
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.left(zero);
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

void SettingsStore::StoreFlag(const QString& section, const QString& key, bool value) {
    StoreText(section, key, value ? "1" : "0");
}

void SettingsStore::StoreNumber(const QString& section, const QString& key, int value) {
    StoreText(section, key, QString::number(value));
}

void SettingsStore::StoreText(const QString& section, const QString& key, const QString& value) {
    const auto settings = Open();
    EnterSection(*settings, section);
    settings->setValue(Resolve(settings->childKeys(), key), value);
}

void SettingsStore::Delete(const QString& section, const QString& key) {
    const auto settings = Open();
    EnterSection(*settings, section);
    settings->remove(Resolve(settings->childKeys(), key));
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

QRect KeepOnDesktop(QRect rect, const QRect& desktop) {
    const int desktopRight = desktop.left() + desktop.width();
    const int desktopBottom = desktop.top() + desktop.height();
    if (rect.left() + rect.width() > desktopRight) rect.moveLeft(desktopRight - rect.width());
    if (rect.top() + rect.height() > desktopBottom) rect.moveTop(desktopBottom - rect.height());
    if (rect.left() < desktop.left()) rect.moveLeft(desktop.left());
    if (rect.top() < desktop.top()) rect.moveTop(desktop.top());
    return rect;
}

FormPlacement::FormPlacement(SettingsStore& ini, QString key) : ini(ini), key(std::move(key)) {}

void FormPlacement::Restore(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const std::optional<WindowPlacement> placement =
        ParsePlacement(ini.LoadText("Common", key, ""));
    if (!placement) {
        if (!screen) return;
        const QSize size = window->frameGeometry().size();
        const QRect area = screen->geometry();
        window->move((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
        return;
    }
    flags = placement->Flags;
    const QRect desktop = screen ? screen->virtualGeometry() : placement->Normal;
    window->setGeometry(KeepOnDesktop(placement->Normal, desktop));
    // A game that starts minimised would look like one that did not start.
    if (placement->ShowCmd == ShowMaximized) window->setWindowState(Qt::WindowMaximized);
}

void FormPlacement::Store(const QWidget* window) {
    WindowPlacement placement;
    placement.Flags = flags;
    placement.ShowCmd = window->isMinimized()   ? ShowMinimized
                        : window->isMaximized() ? ShowMaximized
                                                : ShowNormal;
    placement.Normal = window->normalGeometry();
    if (placement.Normal.isEmpty()) placement.Normal = window->geometry();
    ini.StoreText("Common", key, FormatPlacement(placement));
    ini.Delete("Common", key + "Color");
    ini.Delete("Common", key + "Font");
}
