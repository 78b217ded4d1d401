#include "ui/dialog_seam.h"

#include "ui/centre_over_main.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

namespace DialogSeam {

namespace {
Responder& Current() {
    static Responder responder;
    return responder;
}
} // namespace

void SetResponder(Responder responder) {
    Current() = std::move(responder);
}

void KeepAboveTarget(QWidget* dialog) {
    // Only while hidden: changing a shown window's flags would hide it.
    if (!dialog->isVisible()) dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
    KeepOverParent(dialog);
}

void KeepOverParent(QWidget* dialog) {
    QWidget* parent = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (!parent || !dialog->isWindow()) return;
    // A window made before its parent had a native window of its own gets no
    // transient parent from Qt; without one a compositor places it anywhere.
    CreateNativeWindow(parent);
    CreateNativeWindow(dialog);
    if (dialog->windowHandle() && parent->windowHandle())
        dialog->windowHandle()->setTransientParent(parent->windowHandle());
}

int Exec(QDialog* dialog) {
    KeepAboveTarget(dialog);
    if (Current().dialog) return Current().dialog(dialog);
    return dialog->exec();
}

QString AskFile(QWidget* parent, const FileRequest& request) {
    if (Current().file) return Current().file(request);
    QFileDialog dialog(parent);
    KeepAboveTarget(&dialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The game asks its own overwrite question after the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QFileInfo start(request.startPath);
    if (start.isDir()) {
        dialog.setDirectory(request.startPath);
    } else if (!request.startPath.isEmpty()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

int Box(QWidget* parent, BoxKind kind, const QString& text, bool german) {
    const QString caption = kind == BoxKind::Error         ? (german ? "Fehler" : "Error")
                            : kind == BoxKind::Information ? QString("Information")
                                                           : (german ? "Warnung" : "Warning");
    if (Current().box) return Current().box(kind, caption, text);
    const QMessageBox::Icon icon = kind == BoxKind::Error         ? QMessageBox::Critical
                                   : kind == BoxKind::Information ? QMessageBox::Information
                                                                  : QMessageBox::Warning;
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    KeepAboveTarget(&box);
    if (kind != BoxKind::Warning) {
        box.addButton("OK", QMessageBox::AcceptRole);
        box.exec();
        return 1;
    }
    QPushButton* yes = box.addButton(german ? "&Ja" : "&Yes", QMessageBox::YesRole);
    box.addButton(german ? "&Nein" : "&No", QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes ? 6 : 7;
}

} // namespace DialogSeam
