#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// One change to a value: its new bytes as they stand in the file (see
// EscapedBytes), or none to remove it.
struct SettingsChange {
    QString Section;
    QString Key;
    std::optional<QByteArray> Raw;
};

// The raw form in the file of a text's bytes, and back; bytes that are no UTF-8
// come back as the same bytes. Nothing for a value of another type.
QByteArray EscapedBytes(const QByteArray& bytes);
std::optional<QByteArray> UnescapedBytes(const QByteArray& raw);

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

    enum class Result { Written, Busy, Failed };
    // The changes in order, under one short-lived lock: the file is read afresh
    // and only these values change; the others stay byte for byte. Busy when
    // another copy held the lock all the while (the file is then untouched).
    // Nothing is written when nothing changes.
    Result Apply(const std::vector<SettingsChange>& changes);
    // The value's bytes as they stand in the file; nothing when it is missing.
    std::optional<QByteArray> LoadRaw(const QString& section, const QString& key) const;

  private:
    struct IniEntry;
    QString FilePath() const;
    // The file's entries; false when it exists but was not read whole.
    bool ReadIni(std::vector<IniEntry>& entries) const;
    // Writes the whole file anew, atomically; false when it failed.
    bool WriteIni(std::vector<IniEntry> entries) const;
    std::optional<QString> Read(const QString& section, const QString& key) const;

    QString iniPath;
};

// A number's text form: an optional sign and decimal digits that fit 32 bits,
// nothing else (no blanks); anything else is no number.
std::optional<int> ParseNumber(const QString& text);
