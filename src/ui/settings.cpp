#include "ui/settings.h"

#include "game/data.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>

namespace {

// Every key sits in the section "common"; in the order of Settings::Key.
const char* const Section = "common";
const char* const KeyNames[] = {"tongue",       "sound",     "level",    "save",
                                "pleft",        "ptop",      "MainForm", "MainFormColor",
                                "MainFormFont", "collection"};

// The largest coordinate taken from the file: beyond any desktop, far from overflow.
constexpr int FarEdge = 1 << 20;

QByteArray NumberText(int value) {
    return QByteArray::number(value);
}

} // namespace

Settings::Settings(const QString& iniPath) : store(iniPath) {
    for (const char* name : KeyNames) {
        const std::optional<QByteArray> raw = store.LoadRaw(Section, name);
        values.push_back({raw, raw});
    }
}

Settings::~Settings() {
    if (!marked.empty()) Write();
}

std::optional<QByteArray> Settings::Text(Key key) const {
    const std::optional<QByteArray>& raw = values[static_cast<size_t>(key)].Now;
    if (!raw) return std::nullopt;
    return UnescapedBytes(*raw);
}

int Settings::Number(const NumberKey& key) const {
    const std::optional<QByteArray> text = Text(key.Name);
    if (!text) return key.Default;
    const std::optional<int> value = ParseNumber(QString::fromUtf8(*text));
    return value && *value >= key.Min && *value <= key.Max ? *value : key.Default;
}

void Settings::Set(Key key, const std::optional<QByteArray>& text) {
    Value& value = values[static_cast<size_t>(key)];
    value.Now = text ? std::optional<QByteArray>(EscapedBytes(*text)) : std::nullopt;
    const bool isMarked = std::find(marked.begin(), marked.end(), key) != marked.end();
    // A key deleted is marked anyway: it may have come back under another spelling.
    if (!isMarked && (value.Now != value.InFile || !text)) marked.push_back(key);
    if (isMarked && text && value.Now == value.InFile)
        marked.erase(std::find(marked.begin(), marked.end(), key));
}

int Settings::Tongue() const {
    return Number({Key::Tongue, -1, -1, 1});
}
void Settings::SetTongue(int tongue) {
    Set(Key::Tongue, NumberText(tongue));
}

bool Settings::Sound() const {
    // Stored as a number: any other than 0 is on.
    return Number({Key::Sound, 1, INT_MIN, INT_MAX}) != 0;
}
void Settings::SetSound(bool on) {
    Set(Key::Sound, on ? "1" : "0");
}

int Settings::Level() const {
    return Number({Key::Level, 1, 1, MaxFigures});
}
void Settings::SetLevel(int level) {
    Set(Key::Level, NumberText(level));
}

std::string Settings::Path(Key key) const {
    const std::optional<QByteArray> text = Text(key);
    return text ? text->toStdString() : std::string();
}
void Settings::SetPath(Key key, const std::string& path) {
    Set(key, QByteArray::fromStdString(path));
}

std::string Settings::SaveFile() const {
    return Path(Key::Save);
}
void Settings::SetSaveFile(const std::string& path) {
    SetPath(Key::Save, path);
}

std::string Settings::Collection() const {
    return Path(Key::Collection);
}
void Settings::SetCollection(const std::string& path) {
    SetPath(Key::Collection, path);
}

QPoint Settings::TargetPosition() const {
    return {Number({Key::PLeft, 500, -FarEdge, FarEdge}),
            Number({Key::PTop, 50, -FarEdge, FarEdge})};
}
bool Settings::HasTargetPosition() const {
    return Text(Key::PLeft).has_value() && Text(Key::PTop).has_value();
}
void Settings::SetTargetPosition(QPoint position) {
    Set(Key::PLeft, NumberText(position.x()));
    Set(Key::PTop, NumberText(position.y()));
}

std::optional<WindowPlacement> Settings::MainPlacement() const {
    const std::optional<QByteArray> text = Text(Key::MainForm);
    if (!text) return std::nullopt;
    return ParsePlacement(QString::fromUtf8(*text));
}
void Settings::SetMainPlacement(const WindowPlacement& placement) {
    Set(Key::MainForm, FormatPlacement(placement).toUtf8());
    Set(Key::MainFormColor, std::nullopt);
    Set(Key::MainFormFont, std::nullopt);
}

bool Settings::Write() {
    if (marked.empty()) return true;
    std::vector<SettingsChange> changes;
    for (const Key key : marked)
        changes.push_back(
            {Section, KeyNames[static_cast<size_t>(key)], values[static_cast<size_t>(key)].Now});
    const SettingsStore::Result result = store.Apply(changes);
    if (result == SettingsStore::Result::Busy && !toldBusy) {
        std::fprintf(stderr, "Fribo Trigonet: the settings file is locked by another program; "
                             "the settings stay in memory and are written later.\n");
        toldBusy = true;
    }
    if (result != SettingsStore::Result::Written) return false;
    for (const Key key : marked)
        values[static_cast<size_t>(key)].InFile = values[static_cast<size_t>(key)].Now;
    marked.clear();
    return true;
}
