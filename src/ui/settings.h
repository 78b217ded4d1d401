#pragma once

// The game's settings, each key with its type, default and bounds, over one store.

#include "ui/settings_store.h"
#include "ui/window_placement.h"

#include <QPoint>

#include <optional>
#include <string>
#include <vector>

// Values are read once, when the object is made. A setter changes the value in
// memory and marks it for the next Write when it differs from what the file
// held, so that a copy of the game writes only what it changed and never
// reverts what another copy wrote in the meantime.
class Settings {
  public:
    // The user's settings file, or the INI file at iniPath (tests).
    explicit Settings(const QString& iniPath = {});
    // Tries a last Write of what is still marked.
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // 1 German, 0 English, -1 never chosen (also for anything else stored).
    int Tongue() const;
    void SetTongue(int tongue);
    bool Sound() const;
    void SetSound(bool on);
    // 1..222; the caller still keeps it within the collection it has.
    int Level() const;
    void SetLevel(int level);
    // The saved game's path in the file system's own bytes; empty for none.
    std::string SaveFile() const;
    void SetSaveFile(const std::string& path);
    // The player's own collection being played, in the file system's bytes;
    // empty for the shipped one.
    std::string Collection() const;
    void SetCollection(const std::string& path);
    // The target window's top-left corner.
    QPoint TargetPosition() const;
    // False until a position has been stored (the first start).
    bool HasTargetPosition() const;
    void SetTargetPosition(QPoint position);
    // The main window's placement, when one is stored and usable. Storing one
    // also forgets the colour and font an older version kept beside it.
    std::optional<WindowPlacement> MainPlacement() const;
    void SetMainPlacement(const WindowPlacement& placement);

    // Writes the marked values, and only them, into the file as it is now. False
    // when they could not be written; they stay marked for the next Write then.
    // A lock held elsewhere costs at most a moment, and is said once on stderr.
    bool Write();

  private:
    enum class Key {
        Tongue,
        Sound,
        Level,
        Save,
        PLeft,
        PTop,
        MainForm,
        MainFormColor,
        MainFormFont,
        Collection
    };
    struct NumberKey {
        Key Name;
        int Default, Min, Max;
    };
    int Number(const NumberKey& key) const;
    std::optional<QByteArray> Text(Key key) const;
    void Set(Key key, const std::optional<QByteArray>& text);
    // A path kept in the file system's own bytes; empty when none is stored.
    std::string Path(Key key) const;
    void SetPath(Key key, const std::string& path);

    struct Value {
        std::optional<QByteArray> InFile; // raw, as last read or written
        std::optional<QByteArray> Now;    // raw
    };
    SettingsStore store;
    std::vector<Value> values;
    std::vector<Key> marked; // in the order they were first changed
    bool toldBusy = false;
};
