#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// Asks for a figure's name ("NameDlg"): modal result 1 for OK, 2 otherwise.
// A name NameProblem refuses keeps the dialog open with the reason shown
// ("NameProblem") and the text as typed, to be mended.
class TNameDlg : public QDialog {
  public:
    TNameDlg(int language, const QString& name, QWidget* parent);

    QString Name() const;
    void SetName(const QString& name);

    void reject() override { done(2); }

  private:
    void TryAccept();

    int language;
    QLineEdit* edit;
    QLabel* problem;
};
