#include "shell/freeware.h"

#include "dialog_test_support.h"
#include "shell/maker_links.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

namespace {

class InfoDialog : public ::testing::Test {
  protected:
    GameData data;
    std::vector<QUrl> opened;
    bool openSucceeds = true;
    TFreewareDlg dialog{data, nullptr, [this](const QUrl& url) {
                            opened.push_back(url);
                            return openSucceeds;
                        }};

    QPlainTextEdit* Box(const char* name) { return Child<QPlainTextEdit>(&dialog, name); }
    QLabel* Label(const char* name) { return Child<QLabel>(&dialog, name); }
    // What the player reads of a label, without its markup.
    QString Shown(const char* name) {
        return QTextDocumentFragment::fromHtml(Label(name)->text()).toPlainText();
    }
    void Show(int language) {
        data.Language = language;
        dialog.hide();
        dialog.show();
    }
    void Click(const char* link) {
        QTest::mouseClick(Label(link), Qt::LeftButton, {}, QPoint(3, 3));
    }
};

} // namespace

TEST_F(InfoDialog, ShowsTheTermsOfTheChosenLanguage) {
    Show(1);
    EXPECT_TRUE(Box("Memodeu")->isVisible());
    EXPECT_FALSE(Box("Memoeng")->isVisible());
    EXPECT_TRUE(Label("TitleLabel")->text().contains("ist Freeware"));
    Show(-1);
    EXPECT_FALSE(Box("Memodeu")->isVisible());
    EXPECT_TRUE(Box("Memoeng")->isVisible());
    EXPECT_TRUE(Label("TitleLabel")->text().contains("is freeware"));
    EXPECT_EQ(dialog.windowTitle(), "Fribo Bytes - Freeware-Info");
}

TEST_F(InfoDialog, NamesTheMakerAndItsAddresses) {
    Show(0);
    EXPECT_EQ(Label("MakerName")->text(), "Fribo Bytes");
    EXPECT_EQ(Shown("MailLink"), MakerMail());
    EXPECT_EQ(Shown("HomeLink"), MakerHomepage());
    EXPECT_TRUE(Box("Memoeng")->toPlainText().contains("Fribo Bytes"));
}

TEST_F(InfoDialog, AddressesDefaultToExampleOrg) {
    EXPECT_EQ(QUrl(MakerHomepage()).host(), "www.example.org");
    EXPECT_TRUE(MakerMail().endsWith("@example.org"));
}

TEST_F(InfoDialog, LinksOpenTheirAddresses) {
    Show(0);
    Click("MailLink");
    Click("HomeLink");
    Click("HomeLink");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], QUrl("mailto:" + MakerMail()));
    EXPECT_EQ(opened[1], QUrl(MakerHomepage()));
}

TEST_F(InfoDialog, LinkSwitchesItselfOffAfterAFailedOpen) {
    Show(0);
    openSucceeds = false;
    Click("HomeLink");
    Click("HomeLink");
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(Label("HomeLink")->isEnabled());
    openSucceeds = true;
    Click("MailLink"); // the other link is still on
    EXPECT_EQ(opened.size(), 2u);
}
