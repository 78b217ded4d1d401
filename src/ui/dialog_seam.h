#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// Every modal dialog, file dialog and message box of the game goes through here,
// so that tests can answer them without a real modal loop. With no responder
// installed the real dialogs run.
// The modal results the game compares, with the numbers its dialogs answer.
enum class ModalResult : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Whether a dialog's or box's answer is `expected`; any other number is not.
inline bool Answered(int result, ModalResult expected) {
    return result == static_cast<int>(expected);
}

namespace DialogSeam {

enum class BoxKind { Error, Warning, Information };

struct FileRequest {
    bool save = false;     // save dialog, else open dialog
    QString startPath;     // initial folder or file name
    QString filter;        // e.g. "Fribo Trigonet (*.ftg)"
    QString defaultSuffix; // without the dot
};

struct Responder {
    // Answer for a modal dialog (its object name tells which); return its modal result.
    std::function<int(QDialog*)> dialog;
    // Chosen path, or empty for cancel.
    std::function<QString(const FileRequest&)> file;
    // Result 1 (OK), 6 (Yes) or 7 (No) for a standard message box.
    std::function<int(BoxKind, const QString& caption, const QString& text)> box;
};

// Replaces the answers; pass {} to go back to the real dialogs.
void SetResponder(Responder responder);

// The target window stays on top of the others; a question hidden under it would
// make the game look frozen, so every modal window of the game stays on top too.
// Exec, AskFile and Box do this themselves.
void KeepAboveTarget(QWidget* dialog);
// Makes the window of the dialog's parent its transient parent, so that window
// managers and compositors put it over that window. KeepAboveTarget does this too.
void KeepOverParent(QWidget* dialog);

int Exec(QDialog* dialog);
QString AskFile(QWidget* parent, const FileRequest& request);
// Error: caption "Fehler", one "OK" button, returns 1. Warning: caption "Warnung",
// buttons "&Ja" (6) and "&Nein" (7). The game's boxes are German by rule; a
// program without that rule passes `german` false for "Error", "Warning",
// "&Yes" and "&No". Information: caption "Information", one "OK" button, returns 1.
int Box(QWidget* parent, BoxKind kind, const QString& text, bool german = true);

} // namespace DialogSeam
