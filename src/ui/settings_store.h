#pragma once

#include <QRect>
#include <QString>

#include <memory>
#include <optional>

class QSettings;
class QWidget;

// Everything the game remembers between runs, per user: on Windows the registry
// under HKEY_CURRENT_USER\Software\FriboGames\FriboTrigonet\V2, elsewhere the
// user's configuration folder. Values sit in sections; section and key names
// compare without regard to case, keeping the spelling first written. Every
// value is stored as text. Each call opens the store afresh, so nothing is held
// open between calls; a missing or unreadable value gives the default.
class SettingsStore {
  public:
    SettingsStore();
    // A store of its own in the INI file at iniPath, for tests.
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();

    bool LoadFlag(const QString& section, const QString& key, bool fallback) const;
    int LoadNumber(const QString& section, const QString& key, int fallback) const;
    QString LoadText(const QString& section, const QString& key, const QString& fallback) const;

    void StoreFlag(const QString& section, const QString& key, bool value);
    void StoreNumber(const QString& section, const QString& key, int value);
    void StoreText(const QString& section, const QString& key, const QString& value);
    // A missing value is no error.
    void Delete(const QString& section, const QString& key);

  private:
    std::unique_ptr<QSettings> Open() const;
    std::optional<QString> Read(const QString& section, const QString& key) const;

    QString iniPath;
};

// A number's text form: an optional sign and decimal digits that fit 32 bits,
// nothing else (no blanks); anything else is no number.
std::optional<int> ParseNumber(const QString& text);

// A window's placement as it is stored: the format mark 200, flags, show state and
// the normal (restored) client rectangle as left, top, right, bottom, right and
// bottom exclusive.
inline constexpr int PlacementMark = 200;
inline constexpr int ShowNormal = 1;
inline constexpr int ShowMinimized = 2;
inline constexpr int ShowMaximized = 3;

struct WindowPlacement {
    int Flags = 0;
    int ShowCmd = ShowNormal;
    QRect Normal;
};

QString FormatPlacement(const WindowPlacement& placement);
// Nothing unless there are exactly seven numbers, the first is 200, and the
// rectangle has a size.
std::optional<WindowPlacement> ParsePlacement(const QString& text);
// Moves the rectangle, keeping its size, so that its right and bottom edges are
// not beyond the desktop's and then its left and top edges not before them.
QRect KeepOnDesktop(QRect rect, const QRect& desktop);

// Keeps the main window's position, size and show state under `key` in the
// section "Common" (the window's colour and font are not kept).
class FormPlacement {
  public:
    FormPlacement(SettingsStore& ini, QString key);

    // Before the window is first shown: the stored placement, kept on the desktop,
    // or the window centred on the primary screen when none is stored.
    void Restore(QWidget* window);
    void Store(const QWidget* window);

  private:
    SettingsStore& ini;
    QString key;
    int flags = 0; // given back unchanged
};
