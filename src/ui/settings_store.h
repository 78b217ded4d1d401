#pragma once

#include <QMargins>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

// Everything the game remembers between runs, per user: the INI file
// FriboGames/FriboTrigonet.conf in the user's configuration folder, group "V2",
// in the form Qt's settings read and write. Values sit in sections; the base
// group, section and key names compare without regard to case, keeping the
// spelling already in the file. Every value is stored as text. Each call reads
// the file afresh, so nothing is held open between calls; a missing, unreadable
// or typed value gives the default. A settings file that is a FIFO, a device or
// a folder counts as missing and is neither read nor written.
class SettingsStore {
  public:
    SettingsStore();
    // A store of its own in the INI file at iniPath, for tests.
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();

    bool LoadFlag(const QString& section, const QString& key, bool fallback) const;
    int LoadNumber(const QString& section, const QString& key, int fallback) const;
    QString LoadText(const QString& section, const QString& key, const QString& fallback) const;

    // False when the value could not be written; the file then stays as it was.
    // That happens when it cannot be replaced, is no regular file, or is too
    // large to have been read whole.
    bool StoreFlag(const QString& section, const QString& key, bool value);
    bool StoreNumber(const QString& section, const QString& key, int value);
    bool StoreText(const QString& section, const QString& key, const QString& value);
    // A missing value is no error.
    bool Delete(const QString& section, const QString& key);

  private:
    struct IniEntry;
    QString FilePath() const;
    // The file's entries; false when it exists but was not read whole.
    bool ReadIni(std::vector<IniEntry>& entries) const;
    // Writes the whole file anew, atomically; false when it failed.
    bool WriteIni(std::vector<IniEntry> entries) const;
    // Sets the value, or removes it when there is none, under the lock that
    // keeps the changes of two copies of the game apart.
    bool Change(const QString& section, const QString& key, const std::optional<QString>& value);
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
// The top-left corner that centres a window of `size` on `area`, a screen that
// need not start at 0,0.
QPoint CentredOn(const QRect& area, const QSize& size);
// The client rectangle moved so that the frame around it is kept on the desktop.
QRect KeepFrameOnDesktop(const QRect& client, const QMargins& frame, const QRect& desktop);

// Keeps the main window's position, size and show state under `key` in the
// section "common" (the window's colour and font are not kept).
class FormPlacement {
  public:
    FormPlacement(SettingsStore& ini, QString key);

    // Before the window is first shown: the stored placement with its frame kept
    // on the desktop, or the window centred on the primary screen when none is
    // stored; once more when the frame is known. The show state comes back as
    // stored: normal, minimised or maximised.
    void Restore(QWidget* window);
    // False when the placement could not be written.
    bool Store(const QWidget* window);

  private:
    SettingsStore& ini;
    QString key;
    int flags = 0; // given back unchanged
};
