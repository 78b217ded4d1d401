#include "dialog_test_support.h"

#include "dialogs/yesno.h"

SeamRecorder::SeamRecorder() {
    DialogSeam::Responder responder;
    responder.dialog = [this](QDialog* dialog) {
        QString name = dialog->objectName();
        if (auto* yesNo = qobject_cast<TYesNoDlg*>(dialog))
            name += QString(" %1").arg(yesNo->Kind());
        dialogs << name;
        return onDialog ? onDialog(dialog) : dialogAnswer;
    };
    responder.box = [this](DialogSeam::BoxKind, const QString&, const QString& text) {
        boxes << text;
        return 1;
    };
    responder.file = [this](const DialogSeam::FileRequest& request) {
        dialogs << (request.save ? "save" : "open");
        return onFile ? onFile(request) : QString();
    };
    DialogSeam::SetResponder(responder);
}

SeamRecorder::~SeamRecorder() {
    DialogSeam::SetResponder({});
}
