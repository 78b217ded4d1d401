#include "designer/name_dialog.h"

#include "designer/design_collection.h"
#include "ui/texts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNameDlg::TNameDlg(int language, const QString& name, QWidget* parent)
    : QDialog(parent), language(language) {
    setObjectName("NameDlg");
    setWindowTitle(Text(language, "Name der Figur", "Name of the figure"));
    setMinimumWidth(360); // window managers shorten the title of a narrow one
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(Text(language, "Wie heißt die Figur?", "What is the figure called?"), this));
    edit = new QLineEdit(name, this);
    edit->setObjectName("NameEdit");
    edit->setMaxLength(MaxNameLength);
    edit->selectAll(); // a name typed at once replaces the one proposed
    layout->addWidget(edit);
    problem = new QLabel(this);
    problem->setObjectName("NameProblem");
    problem->setWordWrap(true);
    problem->hide();
    layout->addWidget(problem);
    connect(edit, &QLineEdit::textEdited, problem, &QWidget::hide);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(Text(language, "Abbruch", "Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TNameDlg::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString TNameDlg::Name() const {
    return edit->text().trimmed();
}

void TNameDlg::TryAccept() {
    const QString why = NameProblem(edit->text(), language);
    if (why.isEmpty()) return done(1);
    problem->setText(why);
    problem->show();
    edit->setFocus();
}

void TNameDlg::SetName(const QString& name) {
    edit->setText(name);
    edit->selectAll();
}
