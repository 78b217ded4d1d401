#pragma once

#include <QDialog>

class QLineEdit;

// Asks for a figure's name ("NameDlg"): modal result 1 for OK, 2 otherwise.
class TNameDlg : public QDialog {
  public:
    TNameDlg(int language, const QString& name, QWidget* parent);

    QString Name() const;
    void SetName(const QString& name);

    void reject() override { done(2); }

  private:
    QLineEdit* edit;
};
