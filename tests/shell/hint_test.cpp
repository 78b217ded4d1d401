#include "shell/hint.h"

#include "dialog_test_support.h"
#include "support/pixel_checks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class RulesDialog : public ::testing::Test {
  protected:
    GameData data;
    THintDlg dialog{data, nullptr};

    QPlainTextEdit* Box(const char* name) { return Child<QPlainTextEdit>(&dialog, name); }
    void Show(int language) {
        data.Language = language;
        dialog.hide();
        dialog.show();
    }
};

int Paragraphs(const QString& text) {
    return int(text.split("\n\n").size());
}

} // namespace

TEST_F(RulesDialog, ShowsTheGermanRulesOnlyForLanguage1) {
    Show(1);
    EXPECT_TRUE(Box("tipD")->isVisible());
    EXPECT_FALSE(Box("TipE")->isVisible());
    for (int language : {0, -1, 7}) {
        Show(language);
        EXPECT_FALSE(Box("tipD")->isVisible()) << language;
        EXPECT_TRUE(Box("TipE")->isVisible()) << language;
    }
}

TEST_F(RulesDialog, BothLanguagesGiveTheSevenPointsOfTheRulesAndThenTheKeys) {
    const QString german = Box("tipD")->toPlainText();
    const QString english = Box("TipE")->toPlainText();
    EXPECT_EQ(Paragraphs(german), 8);
    EXPECT_EQ(Paragraphs(english), 8);
    for (const char* key : {"N nimmt", "Pfeiltasten", "R dreht", "L links", "Leertaste", "Esc",
                            "Strg+Z", "Strg+Umschalt+Z", "Strg+Q"})
        EXPECT_TRUE(german.split("\n\n").last().contains(QString::fromUtf8(key))) << key;
    for (const char* key : {"N picks", "arrow keys", "R turns", "L anticlockwise", "Space", "Esc",
                            "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Q"})
        EXPECT_TRUE(english.split("\n\n").last().contains(key)) << key;
    EXPECT_TRUE(
        german.contains(QString::fromUtf8("acht gleichen, rechtwinklig-gleichschenkligen")));
    EXPECT_TRUE(english.contains("eight equal right-angled isosceles triangles"));
    EXPECT_TRUE(Box("tipD")->isReadOnly());
}

TEST_F(RulesDialog, TheRulesReadDarkOnPaleBlueUnderLightAndDarkThemes) {
    const QPalette before = QApplication::palette();
    for (const QPalette& scheme : {before, DarkPalette()}) {
        QApplication::setPalette(scheme);
        for (int language : {0, 1}) {
            Show(language);
            const QImage shown = Box(language == 1 ? "tipD" : "TipE")->viewport()->grab().toImage();
            QHash<QRgb, int> counts;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    ++counts[shown.pixel(x, y) | 0xff000000];
            const auto commonest = std::max_element(counts.cbegin(), counts.cend());
            EXPECT_EQ(QColor(commonest.key()), QColor(206, 206, 232)) << language;
            EXPECT_GE(TextContrast(shown), 4.5) << language;
        }
    }
    QApplication::setPalette(before);
}

TEST_F(RulesDialog, OpensInTheMiddleOfTheScreen) {
    Show(0);
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - middle).manhattanLength(), 2);
}
