#include "shell/qt_translations.h"

#include "shell/main_form.h"
#include "shell/tongdlg.h"
#include "shell_support.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The text Qt gives a standard cancel button right now.
QString CancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text().remove('&');
}

bool GermanQtInstalled() {
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm");
}

} // namespace

TEST(QtTranslation, GermanModeGermanStandardButtonsOtherModesEnglish) {
    if (!GermanQtInstalled()) GTEST_SKIP() << "qtbase_de.qm missing (qt6-translations-l10n)";
    UseQtTranslation(1);
    UseQtTranslation(1); // a second call must not stack a second translator
    EXPECT_EQ(CancelText(), "Abbrechen");
    UseQtTranslation(0);
    EXPECT_EQ(CancelText(), "Cancel");
    UseQtTranslation(1);
    UseQtTranslation(-1);
    EXPECT_EQ(CancelText(), "Cancel");
}

TEST(QtTranslation, FollowsTheStoredLanguageAndTheLanguageDialog) {
    if (!GermanQtInstalled()) GTEST_SKIP() << "qtbase_de.qm missing (qt6-translations-l10n)";
    QTemporaryDir dir;
    WriteCollection(dir.path(), 1);
    const QString iniPath = dir.filePath("settings.ini");
    SettingsStore(iniPath).StoreNumber("common", "tongue", 1);
    SeamRecorder seam;
    TMainForm form(dir.path(), iniPath, std::make_unique<FakeCueOutput>());
    ASSERT_TRUE(form.FormCreate());
    EXPECT_EQ(CancelText(), "Abbrechen");

    form.CreateSecondaryWindows();
    seam.onDialog = [](QDialog* dialog) {
        dialog->findChild<QPushButton*>("EnglishBtn")->click();
        return dialog->result();
    };
    form.TongueBtnClick();
    EXPECT_EQ(CancelText(), "Cancel");
    seam.onDialog = [](QDialog* dialog) {
        dialog->findChild<QPushButton*>("GermanBtn")->click();
        return dialog->result();
    };
    form.TongueBtnClick();
    EXPECT_EQ(CancelText(), "Abbrechen");
    UseQtTranslation(0); // the other tests expect Qt in English
}
