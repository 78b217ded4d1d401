#include "shell/main_form.h"

#include "board/orientation.h"
#include "dialogs/pattern.h"
#include "dialogs/yesno.h"
#include "figures/figure_source.h"
#include "game/progress_map.h"
#include "shell/board_box.h"
#include "shell/install_paths.h"
#include "shell_support.h"
#include "support/pixel_checks.h"
#include "support/test_figures.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QSvgRenderer>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <set>

#include <numbers>
#include <sys/stat.h>
#include <utility>

namespace {

constexpr QRgb BlackRgb = 0x000000, GreenRgb = 0x00ff00, RedRgb = 0xff0000, SilverRgb = 0xc0c0c0;

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks a button of a dialog that the seam hands over, as the player would.
int Click(QDialog* dialog, const char* button) {
    dialog->findChild<QPushButton*>(button)->click();
    return dialog->result();
}

// A main window whose saved game cannot be read, whatever the file.
struct UnreadableSaveForm : TMainForm {
    using TMainForm::TMainForm;
    bool ReadSavedGame(const std::string&) override { return false; }
};

struct MainFormTest : ::testing::Test {
    QTemporaryDir dir;
    QString iniPath = dir.filePath("settings.ini");
    SeamRecorder seam;
    std::shared_ptr<std::vector<QString>> sounds;
    std::unique_ptr<TMainForm> form;

    void SetUp() override { WriteCollection(dir.path(), 3); }

    template <typename Form = TMainForm> bool Create() {
        auto* output = new FakeCueOutput;
        sounds = output->log;
        form = std::make_unique<Form>(dir.path(), iniPath, std::unique_ptr<CueOutput>(output));
        if (!form->FormCreate()) return false;
        FakeClips();
        return true;
    }
    void FakeClips() {
        for (int i = 0; i < CueCount; ++i)
            form->waves.SetClip(i, WaveImage(100 + i)); // cue n plays "play 99 + n"
    }

    // The program's start: creation, secondary windows, first showing.
    template <typename Form = TMainForm> void Start() {
        ASSERT_TRUE(Create<Form>());
        form->CreateSecondaryWindows(); // which reads the real clips
        FakeClips();
        form->ShowAtPlacement();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->FormActivate(); // whether or not the platform has activated it yet
        sounds->clear();
        seam.dialogs.clear();
    }

    SettingsStore Ini() const { return SettingsStore(iniPath); }
    Game& G() { return form->game; }
    BoardBox* Box() { return form->box; }
    int Unit() { return Box()->Unit(); }

    QPoint Vertex(int t, int k) {
        const Placement& p = G().board.Triangles[t];
        const Point c = CornerPixel(p, k, Unit());
        return {c.x, c.y};
    }
    QPoint Anchor(int t) {
        const Placement& p = G().board.Triangles[t];
        return {p.Col * Unit(), p.Row * Unit()};
    }
    QPoint Centroid(int t) { return (Vertex(t, 0) + Vertex(t, 1) + Vertex(t, 2)) / 3; }
    QPoint MoveGrip(int t) { return Anchor(t) + (Centroid(t) - Anchor(t)) / 4; }
    QPoint TurnGrip(int t) { return (Vertex(t, 0) * 8 + Centroid(t) * 2) / 10; }
    QRgb Pixel(QPoint p) { return Box()->Canvas().pixel(p) & 0xffffff; }

    void Press(Qt::MouseButton button, QPoint at) { QTest::mousePress(Box(), button, {}, at); }
    void Release(Qt::MouseButton button, QPoint at) { QTest::mouseRelease(Box(), button, {}, at); }
    void DragTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Box()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Box(), &move);
    }
    // Picks triangle t up with a click in its move zone.
    void PickUp(int t) {
        Press(Qt::LeftButton, MoveGrip(t));
        Release(Qt::LeftButton, MoveGrip(t));
        ASSERT_EQ(G().board.Selected, t);
    }
    int Count(const QString& entry) const {
        return static_cast<int>(std::count(sounds->begin(), sounds->end(), entry));
    }
    QString Caption() { return form->PatForm()->windowTitle(); }
};

TEST_F(MainFormTest, DesignSizeGivesUnitFourAndTheBoxInTheMiddle) {
    Start();
    EXPECT_EQ(form->size(), QSize(660, 350));
    EXPECT_EQ(Unit(), 4);
    EXPECT_EQ(Box()->geometry(), QRect(148, 61, 365, 245));
    EXPECT_EQ(form->ToolPanel->geometry(), QRect(0, 0, 660, 33));
    EXPECT_EQ(form->banner->geometry(), QRect(0, 333, 660, 17));
}

// A native child would be a Wayland subsurface, and the compositor would be told
// of its changes at the wrong place: the board, banner and toolbar draw into the
// main window's own surface, whatever native windows the other windows get.
TEST_F(MainFormTest, OnlyTheWindowsHaveNativeWindowsOfTheirOwn) {
    Start();
    form->YesNoDlg()->ShowModal(MessageKind::Won); // through the seam, as every dialog
    ASSERT_NE(form->PatForm()->windowHandle(), nullptr);
    EXPECT_EQ(form->PatForm()->windowHandle()->transientParent(), form->windowHandle());
    for (QWidget* child : form->findChildren<QWidget*>()) {
        if (child->isWindow()) continue;
        EXPECT_FALSE(child->testAttribute(Qt::WA_NativeWindow))
            << child->objectName().toStdString();
        EXPECT_EQ(child->internalWinId(), 0u) << child->objectName().toStdString();
    }
}

TEST_F(MainFormTest, WindowCannotShrinkBelowUnitTwoOrHideTheToolbar) {
    Start();
    form->resize(60, 40);
    QApplication::processEvents();
    EXPECT_GE(Unit(), 2);
    EXPECT_LE(form->InfoBtn->geometry().right(), form->width() - 1);
}

TEST_F(MainFormTest, ToolbarButtonsSitAtTheirLeftsAndAllWork) {
    Start();
    const QToolButton* buttons[] = {
        form->NewgameBtn, form->LoadBtn,  form->SaveBtn, form->SoundBtn, form->StatBtn,
        form->SelectBtn,  form->TipBtn,   form->UpBtn,   form->DownBtn,  form->ExitBtn,
        form->TongueBtn,  form->RulesBtn, form->InfoBtn};
    const int lefts[] = {4, 28, 52, 76, 100, 124, 148, 180, 204, 236, 260, 285, 309};
    const char* pictures[] = {"newgame", "load", "save", "sound",  "stat",  "select", "tip",
                              "up",      "down", "exit", "tongue", "rules", "info"};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(buttons[i]->geometry(), QRect(lefts[i], 4, 25, 25)) << i;
        EXPECT_TRUE(buttons[i]->isEnabled()) << i;
        // The pictures drawn ahead are the SVGs, pixel for pixel at 1 and 2.
        QSvgRenderer svg(QString(":/toolbar/%1.svg").arg(pictures[i]));
        for (const int ratio : {1, 2}) {
            QImage drawn(18 * ratio, 18 * ratio, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            QPainter painter(&drawn);
            svg.render(&painter);
            painter.end();
            const QImage shown = buttons[i]->icon().pixmap(QSize(18, 18), ratio).toImage();
            ASSERT_EQ(shown.size(), drawn.size()) << pictures[i];
            EXPECT_LE(MaxChannelDifference(shown, drawn), 1) << pictures[i] << " at " << ratio;
        }
    }
}

TEST_F(MainFormTest, DialogButtonsShowTheirDialogs) {
    Start();
    for (QToolButton* button : {form->StatBtn, form->RulesBtn, form->InfoBtn})
        QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs, (QStringList{"StatDlg", "HintDlg", "FreewareDlg"}));
}

TEST_F(MainFormTest, EveryModalDialogStaysAboveTheTargetWindow) {
    Start();
    ASSERT_TRUE(form->findChild<TPatForm*>()->windowFlags() & Qt::WindowStaysOnTopHint);
    QStringList below;
    seam.onDialog = [&below](QDialog* dialog) {
        if (!(dialog->windowFlags() & Qt::WindowStaysOnTopHint)) below << dialog->objectName();
        return 0;
    };
    for (QToolButton* button :
         {form->StatBtn, form->RulesBtn, form->InfoBtn, form->SelectBtn, form->NewgameBtn})
        QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs.size(), 5);
    EXPECT_TRUE(below.isEmpty()) << below.join(' ').toStdString();
}

TEST_F(MainFormTest, ASettingsFileThatIsAFifoStartsWithDefaultsAndStaysOne) {
    // Opened, the FIFO would block the start for good.
    ASSERT_EQ(::mkfifo(iniPath.toLocal8Bit().constData(), 0644), 0);
    Start();
    EXPECT_EQ(G().data.Language, -1);
    EXPECT_EQ(G().data.CurrentFigure, 1);
    EXPECT_TRUE(form->SoundBtn->isChecked());
    form.reset(); // stores the settings
    struct stat info {};
    ASSERT_EQ(::stat(iniPath.toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(MainFormTest, FirstStartUsesEveryDefault) {
    Start();
    EXPECT_EQ(G().data.CurrentFigure, 1);
    EXPECT_EQ(G().data.Language, -1);
    EXPECT_TRUE(G().data.SaveFileName.empty());
    EXPECT_TRUE(form->SoundBtn->isChecked());
    EXPECT_TRUE(form->TipBtn->isEnabled());
    EXPECT_EQ(G().State, gsPlaying);
    EXPECT_EQ(Caption(), "Trigonet 1");
    EXPECT_EQ(form->PatForm()->pos(), QPoint(500, 50));
    EXPECT_TRUE(form->PatForm()->isVisible());
}

TEST_F(MainFormTest, StoredSettingsAreTakenUpAtStart) {
    SettingsStore ini = Ini();
    ini.StoreNumber("common", "level", 3);
    ini.StoreNumber("common", "tongue", 1);
    ini.StoreFlag("common", "sound", false);
    Start();
    EXPECT_EQ(G().data.CurrentFigure, 3);
    EXPECT_EQ(G().data.Language, 1);
    EXPECT_FALSE(form->SoundBtn->isChecked());
    EXPECT_EQ(G().data.Figures[0], G().data.Figures[3]);
}

TEST_F(MainFormTest, StoredLevelOutsideTheCollectionBecomesOne) {
    Ini().StoreNumber("common", "level", 4);
    Start();
    EXPECT_EQ(G().data.CurrentFigure, 1);
}

TEST_F(MainFormTest, MissingCollectionEndsTheGameWithItsMessageAndWritesNothing) {
    QFile::remove(dir.filePath("ftrg2.dat"));
    Ini().StoreNumber("common", "level", 2);
    EXPECT_FALSE(Create());
    EXPECT_EQ(seam.boxes, QStringList{"Can't find file FTRG2.DAT. Program aborted."});
    form.reset();
    QSettings raw(iniPath, QSettings::IniFormat);
    EXPECT_EQ(raw.allKeys(), QStringList{"V2/common/level"});
}

TEST_F(MainFormTest, EmptyCollectionIsHandledLikeAMissingOne) {
    QFile(dir.filePath("ftrg2.dat")).open(QIODevice::WriteOnly | QIODevice::Truncate);
    Ini().StoreNumber("common", "tongue", 1);
    EXPECT_FALSE(Create());
    EXPECT_EQ(seam.boxes, QStringList{"Datei FTRG2.DAT konnte nicht gefunden werden. Programm "
                                      "wird abgebrochen."});
}

TEST_F(MainFormTest, SavedGameIsReadAtStart) {
    const QString save = dir.filePath("my game.ftg");
    WriteFile(save, QByteArray("\x08\x02", 2));
    Ini().StoreText("common", "save", save);
    Start();
    EXPECT_EQ(G().data.Progress[1], 8);
    EXPECT_EQ(G().data.Progress[2], 2);
    EXPECT_EQ(G().data.Progress[3], 0);
    EXPECT_FALSE(G().data.Dirty);
    EXPECT_FALSE(form->TipBtn->isEnabled()); // figure 1 is finished
    EXPECT_EQ(Caption(), "Trigonet 1 - solved");
}

namespace {

FigureSource ParsedSource(const char* path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    FigureSource source;
    std::string error;
    EXPECT_TRUE(ParseFigureSource(file.readAll().toStdString(), source, error)) << error;
    return source;
}

// The states of the played figures by the names today's collection gives them.
std::map<std::string, int> ProgressByName(const GameData& data) {
    const FigureSource today = ParsedSource(FIGURE_SOURCE);
    std::map<std::string, int> progress;
    for (int k = 1; k <= data.FigureCount && k <= static_cast<int>(today.Figures.size()); ++k)
        if (data.Progress[k])
            progress[today.Figures[static_cast<size_t>(k) - 1].Name] = data.Progress[k];
    return progress;
}

} // namespace

TEST_F(MainFormTest, ASecondEditionGameFindsItsFiguresInTheThirdAndSaysHowMany) {
    // The player solved figures 1 to 10 of the second edition, gave up 11 and
    // took one help step on 12. Of them, 1, 2, 6, 8, 9, 11 and 12 are in
    // today's collection (redrawn or not), under the names below.
    QFile::remove(dir.filePath("ftrg2.dat"));
    ASSERT_TRUE(QFile::copy(COLLECTION_FILE, dir.filePath("ftrg2.dat")));
    const QString save = dir.filePath("second.ftg");
    ASSERT_TRUE(QFile::copy(SECOND_EDITION_GAME, save));
    QFile(save).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    Ini().StoreText("common", "save", save);
    Ini().StoreNumber("common", "tongue", 0);
    Start();
    ASSERT_EQ(G().data.FigureCount, 222);
    EXPECT_EQ(ProgressByName(G().data), (std::map<std::string, int>{{"Lightning bolt III", 8},
                                                                    {"Letter Z", 8},
                                                                    {"Letter C", 8},
                                                                    {"Cross", 12},
                                                                    {"Upside-down T", 8},
                                                                    {"Comb", 1},
                                                                    {"Square", 8}}));
    EXPECT_EQ(seam.boxes.last(),
              "The figure collection has changed: 7 of the 12 figures you played keep their "
              "state.");
    EXPECT_EQ(Caption(), G().data.Progress[1] == 8 ? "Trigonet 1 - solved" : "Trigonet 1");
    EXPECT_FALSE(G().data.Dirty);
    // Saved again, the file names its figures: the next start says nothing.
    form->SaveBtnClick();
    form.reset();
    seam.boxes.clear();
    Start();
    EXPECT_EQ(ProgressByName(G().data).at("Comb"), 1);
    EXPECT_TRUE(seam.boxes.filter("collection").isEmpty()) << seam.boxes.join('|').toStdString();
    // In German the sentence reads so.
    QFile::remove(save);
    ASSERT_TRUE(QFile::copy(SECOND_EDITION_GAME, save));
    QFile(save).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    Ini().StoreNumber("common", "tongue", 1);
    form.reset();
    Start();
    EXPECT_EQ(seam.boxes.last(), QString::fromUtf8("Die Figurensammlung ist eine andere: 7 der 12 "
                                                   "Figuren, die du gespielt hast, behalten "
                                                   "ihren Stand."));
}

TEST_F(MainFormTest, AThirdEditionGameKeepsEveryFigureThroughTheFourthsRedrawingsAndOrder) {
    // Every figure of the third edition played, each to a state of its own.
    const FigureSource third = ParsedSource(THIRD_EDITION);
    ASSERT_EQ(third.Figures.size(), 222u);
    GameData played;
    played.FigureCount = 222;
    for (size_t i = 0; i < 222; ++i) {
        played.Figures[i + 1] = third.Figures[i].Record;
        played.Progress[i + 1] = i % 3 == 0 ? 8 : i % 3 == 1 ? 12 : 1 + i % 5;
    }
    const std::vector<uint8_t> bytes = EncodeProgressFile(played);
    const QString save = dir.filePath("third.ftg");
    WriteFile(save, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<int>(bytes.size())));
    QFile::remove(dir.filePath("ftrg2.dat"));
    ASSERT_TRUE(QFile::copy(COLLECTION_FILE, dir.filePath("ftrg2.dat")));
    Ini().StoreText("common", "save", save);
    Ini().StoreNumber("common", "tongue", 0);
    Start();
    ASSERT_EQ(G().data.FigureCount, 222);
    EXPECT_EQ(seam.boxes.last(),
              "The figure collection has changed: 222 of the 222 figures you played keep their "
              "state.");
    // Each state went to the figure it was played on, whatever it is called now.
    std::multiset<int> before, after;
    for (int k = 1; k <= 222; ++k)
        before.insert(played.Progress[k]), after.insert(G().data.Progress[k]);
    EXPECT_EQ(before, after);
    // And a figure drawn as it was lies wherever today's order put it, with its state.
    int kept = 0;
    for (size_t i = 0; i < 222; ++i)
        for (int k = 1; k <= 222; ++k)
            if (G().data.Figures[k] == third.Figures[i].Record) {
                EXPECT_EQ(G().data.Progress[k], played.Progress[i + 1]) << third.Figures[i].Name;
                ++kept;
            }
    EXPECT_GE(kept, 222 - 91); // the fourth edition redrew 91
}

TEST_F(MainFormTest, UnreadableSavedGameIsReportedAndANewGameBegins) {
    const QString save = dir.filePath("locked.ftg");
    WriteFile(save, QByteArray("\x0c\x0c\x0c", 3));
    Ini().StoreText("common", "save", save);
    Start<UnreadableSaveForm>();
    EXPECT_EQ(seam.boxes, QStringList{"Error occured while loading file " + save + "!"});
    EXPECT_TRUE(G().data.SaveFileName.empty());
    EXPECT_EQ(G().data.Progress[1], 0);
    EXPECT_FALSE(G().data.Dirty);
    EXPECT_EQ(G().State, gsPlaying);
    seam.dialogAnswer = 6;
    form->close();
    EXPECT_EQ(Ini().LoadText("common", "save", "kept"), "");
    EXPECT_EQ(ReadFile(save), QByteArray("\x0c\x0c\x0c", 3)); // left as it was
}

TEST_F(MainFormTest, MissingSavedGameStaysTheCurrentOne) {
    const QString save = dir.filePath("gone.ftg");
    Ini().StoreText("common", "save", save);
    Start();
    EXPECT_TRUE(seam.boxes.isEmpty());
    EXPECT_EQ(QString::fromStdString(G().data.SaveFileName), save);
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Game gone.ftg");
}

TEST_F(MainFormTest, ASavedGameNamedInLatin1IsReopenedAndKeptByteForByte) {
    const QByteArray save = QFile::encodeName(dir.path()) + "/sp\xe9l.ftg";
    {
        std::FILE* file = std::fopen(save.constData(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("\x08\x0c", file);
        std::fclose(file);
    }
    const QByteArray other = "[other]\nname=caf\xe9\n";
    WriteFile(iniPath, other + "\n[V2]\ncommon\\save=" + save + "\n");
    Start();
    EXPECT_EQ(G().data.SaveFileName, save.toStdString());
    EXPECT_EQ(G().data.Progress[1], 8);
    EXPECT_EQ(G().data.Progress[2], 12);
    seam.dialogAnswer = 6;
    form->close();
    const QByteArray after = ReadFile(iniPath);
    EXPECT_TRUE(after.startsWith(other)) << after.toStdString();
    EXPECT_TRUE(after.contains("\ncommon\\save=" + save + "\n")) << after.toStdString();
    // Still there under its own bytes; removed here, as QTemporaryDir cannot
    // remove a name that is not UTF-8.
    EXPECT_EQ(std::remove(save.constData()), 0);
}

TEST_F(MainFormTest, PickUpMoveAndRightTurnWithTheirCues) {
    Start();
    const Placement start = G().board.Triangles[3];
    const QPoint grip = MoveGrip(3);
    Press(Qt::LeftButton, grip);
    EXPECT_EQ(G().board.Selected, 3);
    EXPECT_EQ(Pixel(Centroid(3)), SilverRgb); // erased: only the outline shows
    DragTo(grip + QPoint(2 * Unit(), 0));
    DragTo(grip + QPoint(2 * Unit() + 1, 1)); // the same cell: no step
    DragTo(grip + QPoint(4 * Unit(), 3 * Unit()));
    Release(Qt::LeftButton, grip);
    EXPECT_EQ(G().board.Triangles[3].Col, start.Col + 4);
    EXPECT_EQ(G().board.Triangles[3].Row, start.Row + 3);
    EXPECT_EQ(*sounds,
              (std::vector<QString>{"stop", "play 100", "stop", "play 103", "stop", "play 103"}));

    sounds->clear();
    Press(Qt::RightButton, {1, 1});
    EXPECT_EQ(G().board.Triangles[3].Orient, (start.Orient + 1) % 16);
    EXPECT_TRUE(sounds->empty());
}

TEST_F(MainFormTest, DraggingAFullCircleTurnsThroughAllOrientationsWithSixteenCues) {
    Start();
    PickUp(3);
    const Placement start = G().board.Triangles[3];
    const QPoint anchor = Anchor(3), grip = TurnGrip(3);
    Press(Qt::LeftButton, grip);
    ASSERT_EQ(Box()->Drag().DragZone, ZoneTurn);
    sounds->clear();
    const double radius = std::hypot(grip.x() - anchor.x(), grip.y() - anchor.y());
    const double from = Angle(grip.x() - anchor.x(), grip.y() - anchor.y());
    for (int k = 1; k <= 96; ++k) { // clockwise on the screen: the angle falls
        const double a = from - k * 2 * std::numbers::pi / 96;
        DragTo(anchor + QPoint(static_cast<int>(std::lround(std::cos(a) * radius)),
                               static_cast<int>(std::lround(-std::sin(a) * radius))));
    }
    Release(Qt::LeftButton, grip);
    EXPECT_EQ(Count("play 102"), 16);
    EXPECT_EQ(G().board.Triangles[3], start);
}

TEST_F(MainFormTest, PutDownWhereItDoesNotFitPlaysTheRefusal) {
    Start();
    PickUp(3);
    G().board.Triangles[3] = G().board.Triangles[5]; // floats over triangle 5
    sounds->clear();
    Press(Qt::LeftButton, {1, 1});
    EXPECT_EQ(*sounds, (std::vector<QString>{"stop", "play 105"}));
    EXPECT_EQ(G().board.Selected, 3);
}

TEST_F(MainFormTest, PutDownThatSolvesTheFigure) {
    Start();
    PlaceHelpTriangles(G(), 7);
    Box()->boxPaint();
    const Placement goal = G().data.Figures[1][7];
    const QPoint grip = MoveGrip(8);
    Press(Qt::LeftButton, grip);
    ASSERT_EQ(G().board.Selected, 8);
    const Placement held = G().board.Triangles[8];
    DragTo(grip + QPoint((goal.Col - held.Col) * Unit(), (goal.Row - held.Row) * Unit()));
    Release(Qt::LeftButton, grip);
    while (G().board.Triangles[8].Orient != goal.Orient)
        Press(Qt::RightButton, {1, 1});
    ASSERT_EQ(G().board.Triangles[8], goal);
    sounds->clear();

    Press(Qt::LeftButton, {1, 1});
    EXPECT_EQ(G().State, gsSolved);
    EXPECT_EQ(*sounds, (std::vector<QString>{"stop", "play 101", "stop", "play 104"}));
    EXPECT_TRUE(seam.dialogs.isEmpty()) << "the message waits until the press has returned";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seam.dialogs.isEmpty(); }));
    EXPECT_EQ(seam.dialogs, QStringList{"YesNoDlg 1"});
    EXPECT_TRUE(IsFinished(G().data.Progress[1]));
    EXPECT_TRUE(G().data.Dirty);
    EXPECT_EQ(Caption(), "Trigonet 1 - solved");
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_EQ(Pixel(Centroid(t)), GreenRgb) << t;

    sounds->clear();
    Press(Qt::LeftButton, MoveGrip(2)); // the board is frozen now
    EXPECT_EQ(G().board.Selected, 0);
    EXPECT_TRUE(sounds->empty());
}

TEST_F(MainFormTest, FourHelpStepsGiveTheFigureUpSilently) {
    Start();
    for (int step = 1; step <= 4; ++step)
        QTest::mouseClick(form->TipBtn, Qt::LeftButton);
    EXPECT_EQ(G().data.Progress[1], 12);
    EXPECT_EQ(G().State, gsGivenUp);
    EXPECT_TRUE(G().data.Dirty);
    EXPECT_EQ(Caption(), "Trigonet 1 - dropped");
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_EQ(Pixel(Centroid(t)), RedRgb) << t;
    EXPECT_TRUE(sounds->empty());
    EXPECT_TRUE(seam.dialogs.isEmpty());
}

TEST_F(MainFormTest, NextAndPreviousFigureStopAtTheEnds) {
    Start();
    G().data.Progress[3] = 8;
    QTest::mouseClick(form->UpBtn, Qt::LeftButton);
    EXPECT_EQ(G().data.CurrentFigure, 2);
    EXPECT_EQ(Caption(), "Trigonet 2");
    EXPECT_TRUE(form->TipBtn->isEnabled());
    QTest::mouseClick(form->UpBtn, Qt::LeftButton);
    QTest::mouseClick(form->UpBtn, Qt::LeftButton);
    EXPECT_EQ(G().data.CurrentFigure, 3);
    EXPECT_EQ(Caption(), "Trigonet 3 - solved");
    EXPECT_FALSE(form->TipBtn->isEnabled());
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(form->DownBtn, Qt::LeftButton);
    EXPECT_EQ(G().data.CurrentFigure, 1);
    EXPECT_FALSE(G().data.Dirty);
}

TEST_F(MainFormTest, SoundButtonSwitchesTheCuesAndIsRemembered) {
    Start();
    QTest::mouseClick(form->SoundBtn, Qt::LeftButton);
    EXPECT_FALSE(form->SoundBtn->isChecked());
    PickUp(3);
    EXPECT_TRUE(sounds->empty());
    seam.dialogAnswer = 6;
    form->close();
    EXPECT_FALSE(Ini().LoadFlag("common", "sound", true));
}

TEST_F(MainFormTest, QuitQuestionAnsweredNoStillShowsTheInfoAndPlaysOn) {
    Start();
    PickUp(3);
    const BoardState before = G().board;
    seam.dialogAnswer = static_cast<int>(ModalResult::Cancel);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(seam.dialogs, (QStringList{"YesNoDlg 3", "FreewareDlg"}));
    EXPECT_EQ(G().board.Triangles, before.Triangles);
    EXPECT_EQ(G().board.Selected, 3);
    EXPECT_EQ(Ini().LoadNumber("common", "level", -5), -5);
}

TEST_F(MainFormTest, QuitQuestionAnsweredYesStoresTheSettings) {
    Start();
    QTest::mouseClick(form->UpBtn, Qt::LeftButton);
    seam.dialogAnswer = 6;
    QTest::mouseClick(form->ExitBtn, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(seam.dialogs, (QStringList{"YesNoDlg 3", "FreewareDlg"})); // nothing to save
    QSettings raw(iniPath, QSettings::IniFormat);
    EXPECT_EQ(raw.value("V2/common/sound"), QVariant(QString("1")));
    EXPECT_EQ(raw.value("V2/common/level"), QVariant(QString("2")));
    EXPECT_EQ(raw.value("V2/common/tongue"), QVariant(QString("-1")));
    EXPECT_EQ(raw.value("V2/common/save"), QVariant(QString("")));
}

TEST_F(MainFormTest, ClosingWithUnsavedProgressAndNoFileAsksForOneBeforeTheSettings) {
    Start();
    QTest::mouseClick(form->TipBtn, Qt::LeftButton);
    ASSERT_TRUE(G().data.Dirty);
    seam.onFile = [&](const DialogSeam::FileRequest&) {
        EXPECT_EQ(Ini().LoadText("common", "save", "unwritten"), "unwritten");
        EXPECT_EQ(Ini().LoadNumber("common", "level", -5), -5);
        return dir.filePath("evening.txt");
    };
    seam.dialogAnswer = static_cast<int>(ModalResult::Yes);
    form->close();
    EXPECT_EQ(seam.dialogs, (QStringList{"YesNoDlg 3", "FreewareDlg", "save"}));
    const QString saved = dir.filePath("evening.ftg");
    EXPECT_EQ(Ini().LoadText("common", "save", ""), saved);
    EXPECT_EQ(ReadFile(saved).left(3), QByteArray("\x01\x00\x00", 3));
}

TEST_F(MainFormTest, ASavedGameThatIsAPipeIsNamedAtStartAndAtTheSave) {
    const QString pipe = dir.filePath("pipe.ftg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    Ini().StoreText("common", "save", pipe);
    Ini().StoreNumber("common", "tongue", 1);
    Start();
    ASSERT_FALSE(seam.boxes.isEmpty());
    EXPECT_EQ(seam.boxes.first(), QString::fromUtf8("Das Spiel %1 lässt sich nicht laden: es ist "
                                                    "eine benannte Pipe (FIFO).")
                                      .arg(pipe));
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Spiel pipe.ftg"); // still the current game
    seam.boxes.clear();
    G().data.Dirty = true;
    seam.dialogAnswer = static_cast<int>(ModalResult::No); // stays open after the failed save
    form->SaveBtnClick();
    EXPECT_EQ(seam.boxes, QStringList{"Kann Spiel pipe.ftg nicht speichern: es ist eine benannte "
                                      "Pipe (FIFO)."});
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    G().data.Dirty = false;
}

TEST_F(MainFormTest, SaveFailingWhileClosingIsReportedAndDoesNotAskToCloseAgain) {
    WriteFile(dir.filePath("plain"), "not a folder");
    Ini().StoreText("common", "save", dir.filePath("plain/game.ftg"));
    Start();
    G().data.Dirty = true;
    seam.dialogAnswer = static_cast<int>(ModalResult::Yes);
    form->close();
    // Named at the start and at the save, each time with the reason.
    EXPECT_EQ(seam.boxes, (QStringList{"The saved game " + dir.filePath("plain/game.ftg") +
                                           " cannot be loaded: Not a directory.",
                                       "Cannot save game game.ftg: Not a directory."}));
    EXPECT_EQ(seam.dialogs, (QStringList{"YesNoDlg 3", "FreewareDlg"}));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, NewGameFromTheToolbarAnsweredNoThenYes) {
    const QString old = dir.filePath("old.ftg");
    WriteFile(old, QByteArray("\x0c\x08\x00", 3));
    Ini().StoreText("common", "save", old);
    Start();
    ASSERT_EQ(Caption(), "Trigonet 1 - dropped");
    seam.dialogAnswer = static_cast<int>(ModalResult::No);
    QTest::mouseClick(form->NewgameBtn, Qt::LeftButton);
    EXPECT_EQ(G().data.Progress[1], 12);
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Game old.ftg");

    seam.dialogAnswer = static_cast<int>(ModalResult::Yes);
    QTest::mouseClick(form->NewgameBtn, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs, (QStringList{"YesNoDlg 4", "YesNoDlg 4"}));
    EXPECT_EQ(G().data.Progress[1], 0);
    EXPECT_EQ(G().data.Progress[2], 0);
    EXPECT_TRUE(G().data.SaveFileName.empty());
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet");
    EXPECT_TRUE(form->TipBtn->isEnabled()); // figure 1 set up again, open now
    EXPECT_EQ(Caption(), "Trigonet 1");
    EXPECT_EQ(ReadFile(old), QByteArray("\x0c\x08\x00", 3));
}

TEST_F(MainFormTest, LoadFromTheToolbarKeepsTheFigureAndLaysItsRecordedHelp) {
    Ini().StoreNumber("common", "level", 2);
    Start();
    const QString other = dir.filePath("other.ftg");
    WriteFile(other, QByteArray("\x00\x02\x00", 3)); // figure 2: two help steps
    seam.onFile = [&](const DialogSeam::FileRequest& request) {
        return request.save ? QString() : other;
    };
    QTest::mouseClick(form->LoadBtn, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs, QStringList{"open"});
    EXPECT_EQ(G().data.CurrentFigure, 2);
    EXPECT_EQ(G().data.Progress[2], 2);
    for (int t = 1; t <= 4; ++t) {
        EXPECT_EQ(G().board.Triangles[t], G().data.Figures[2][t - 1]) << t;
        EXPECT_EQ(Pixel(Centroid(t)), BlackRgb) << t; // the board was painted anew
    }
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Game other.ftg");
    EXPECT_FALSE(G().data.Dirty);
}

TEST_F(MainFormTest, SelectionDialogSetsUpTheChosenFigure) {
    Start();
    const auto dealt = G().board.Triangles;
    seam.dialogAnswer = 2; // cancelled
    QTest::mouseClick(form->SelectBtn, Qt::LeftButton);
    EXPECT_EQ(G().data.CurrentFigure, 1);
    EXPECT_EQ(G().board.Triangles, dealt); // not dealt anew
    seam.onDialog = [](QDialog* dialog) {
        dialog->show();
        auto* thumbnails = dialog->findChild<QWidget*>("box");
        QTest::mouseClick(thumbnails, Qt::LeftButton, {}, QPoint(250, 40)); // third cell
        return dialog->result();
    };
    QTest::mouseClick(form->SelectBtn, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs, (QStringList{"SelectDlg", "SelectDlg"}));
    EXPECT_EQ(G().data.CurrentFigure, 3);
    EXPECT_EQ(G().data.Figures[0], G().data.Figures[3]);
    EXPECT_EQ(Caption(), "Trigonet 3");
}

TEST_F(MainFormTest, AnInstalledCollectionIsChosenInTheSelectionAndLeftWithEveryStateKept) {
    const QString own = PersonalCollectionFolder() + "/ftrg2.dat";
    ASSERT_TRUE(QDir().mkpath(PersonalCollectionFolder()));
    struct Uninstall {
        QString path;
        ~Uninstall() { QFile::remove(path); }
    } uninstall{own};
    // A line and an L of four squares: shapes the shipped squares lack.
    const std::vector<FigureRecord> mine{FigureOfSquares({{20, 20}, {30, 20}, {40, 20}, {50, 20}}),
                                         FigureOfSquares({{20, 20}, {30, 20}, {40, 20}, {40, 30}})};
    WriteFile(own, QByteArray(reinterpret_cast<const char*>(mine.data()), 2 * FigureRecordSize));
    Start();
    EXPECT_EQ(G().data.FigureCount, 3); // the shipped figures are never hidden
    G().data.Progress[2] = 8, G().data.Progress[3] = 12;

    // Down or Up in the list switches at once; a thumbnail or Cancel ends the dialog.
    QStringList names;
    const auto switchWith = [&](Qt::Key key, bool pickFirst) {
        seam.onDialog = [&, key, pickFirst](QDialog* dialog) {
            dialog->show();
            auto* list = dialog->findChild<QComboBox*>("CollectionBox");
            names.clear();
            for (int i = 0; list->isVisible() && i < list->count(); ++i)
                names << list->itemText(i);
            QTest::keyClick(list, key);
            if (pickFirst)
                QTest::mouseClick(dialog->findChild<QWidget*>("box"), Qt::LeftButton, {},
                                  QPoint(50, 40));
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
            EXPECT_FALSE(dialog->isVisible());
            return dialog->result();
        };
        QTest::mouseClick(form->SelectBtn, Qt::LeftButton);
    };
    switchWith(Qt::Key_Down, true);
    EXPECT_EQ(names, (QStringList{"The game's own figures", "My own figures"}));
    EXPECT_EQ(G().data.FigureCount, 2);
    EXPECT_EQ(G().data.Figures[0], mine[0]);
    EXPECT_EQ((std::vector<int>{G().data.Progress[1], G().data.Progress[2], G().data.Progress[3]}),
              (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Caption(), "Trigonet 1");
    EXPECT_EQ(form->ini.Collection(), own.toStdString());
    G().data.Progress[2] = 9;

    switchWith(Qt::Key_Up, false); // and cancelled: the switch holds
    EXPECT_EQ(G().data.FigureCount, 3);
    EXPECT_EQ((std::vector<int>{G().data.Progress[1], G().data.Progress[2], G().data.Progress[3]}),
              (std::vector<int>{0, 8, 12}));
    EXPECT_EQ(form->ini.Collection(), "");
    switchWith(Qt::Key_Down, false);
    EXPECT_EQ(G().data.Progress[2], 9);
    EXPECT_TRUE(seam.boxes.isEmpty()) << seam.boxes.join('\n').toStdString();

    // The next start plays the collection chosen last.
    seam.onDialog = nullptr;
    form.reset();
    Start();
    EXPECT_EQ(G().data.FigureCount, 2);
    // Gone since then, it is no longer offered and the shipped one is played.
    seam.onDialog = nullptr;
    form.reset();
    QFile::remove(own);
    Start();
    EXPECT_EQ(G().data.FigureCount, 3);
    switchWith(Qt::Key_Down, false);
    EXPECT_TRUE(names.isEmpty()); // one collection: no list to choose from

    // Installed while the game runs, it is offered at the next opening; played and
    // then deleted, it stays listed until the player leaves it.
    const QString alpha = PersonalCollectionFolder() + "/Alpha.dat";
    WriteFile(alpha, QByteArray(reinterpret_cast<const char*>(&mine[1]), FigureRecordSize));
    switchWith(Qt::Key_Down, false);
    EXPECT_EQ(names, (QStringList{"The game's own figures", "Alpha"}));
    EXPECT_EQ(G().data.FigureCount, 1);
    ASSERT_TRUE(QFile::remove(alpha));
    switchWith(Qt::Key_Up, false);
    EXPECT_EQ(names, (QStringList{"The game's own figures", "Alpha"}));
    EXPECT_EQ(G().data.FigureCount, 3);
    EXPECT_TRUE(seam.boxes.isEmpty()) << seam.boxes.join('\n').toStdString();
}

TEST_F(MainFormTest, WindowsRememberTheirPlacesWhenTheyGo) {
    Start();
    form->PatForm()->move(321, 123);
    form->move(40, 30);
    form.reset();
    SettingsStore ini = Ini();
    EXPECT_EQ(ini.LoadNumber("common", "pleft", 0), 321);
    EXPECT_EQ(ini.LoadNumber("common", "ptop", 0), 123);
    const auto placement = ParsePlacement(ini.LoadText("Common", "MainForm", ""));
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->Normal.size(), QSize(660, 350));
}

TEST_F(MainFormTest, FirstActivationAsksTheLanguageThenAppliesTextsThenShowsInfoOnce) {
    ASSERT_TRUE(Create());
    form->CreateSecondaryWindows();
    QStringList hintSeen;
    seam.onDialog = [&](QDialog* dialog) {
        hintSeen << form->UpBtn->toolTip();
        return dialog->objectName() == "TongueDlg" ? Click(dialog, "GermanBtn") : 1;
    };
    form->FormActivate();
    form->FormActivate(); // later activations ask nothing
    EXPECT_EQ(seam.dialogs, (QStringList{"TongueDlg", "FreewareDlg"}));
    EXPECT_EQ(hintSeen, (QStringList{"", "Ich nehm' das nächste Trigonet."}));
    EXPECT_EQ(G().data.Language, 1);
}

TEST_F(MainFormTest, LanguageLeftUnchosenGivesEnglishEverywhereAndIsStoredSo) {
    Ini().StoreText("common", "save", dir.filePath("my game.ftg"));
    seam.dialogAnswer = static_cast<int>(ModalResult::Cancel); // the language dialog's close box
    Start();
    EXPECT_EQ(G().data.Language, -1);
    EXPECT_EQ(form->UpBtn->toolTip(), "I take the next Trigonet.");
    EXPECT_EQ(form->SoundBtn->toolTip(), "I dont like the sound always.");
    EXPECT_EQ(form->TongueBtn->toolTip(), "Ich spreche nicht englisch.");
    EXPECT_TRUE(
        form->banner->Line().startsWith("Click here do visit the Fribo Bytes Homepage.     "));
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Game my game.ftg");
    seam.dialogAnswer = static_cast<int>(ModalResult::Yes);
    form->close();
    EXPECT_EQ(Ini().LoadNumber("common", "tongue", 5), -1);
}

TEST_F(MainFormTest, LanguageButtonChangesHintsBannerAndTitleAtOnce) {
    Ini().StoreText("common", "save", dir.filePath("my game.ftg"));
    Start();
    seam.onDialog = [](QDialog* dialog) { return Click(dialog, "GermanBtn"); };
    QTest::mouseClick(form->TongueBtn, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs, QStringList{"TongueDlg"});
    EXPECT_EQ(form->TongueBtn->toolTip(), "I don't speak german.");
    EXPECT_EQ(form->UpBtn->toolTip(), "Ich nehm' das nächste Trigonet.");
    EXPECT_TRUE(form->banner->Line().startsWith("Klicke hier um die Fribo Games Homepage"));
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Spiel my game.ftg");
}

TEST_F(MainFormTest, GermanTextsWhenTheLanguageIsOne) {
    Ini().StoreNumber("common", "tongue", 1);
    ASSERT_TRUE(Create());
    form->CreateSecondaryWindows();
    form->FormActivate();
    EXPECT_EQ(seam.dialogs, QStringList{"FreewareDlg"}); // no language question
    G().data.SaveFileName = dir.filePath("my game.ftg").toStdString();
    form->ApplyTexts();
    EXPECT_EQ(form->UpBtn->toolTip(), "Ich nehm' das nächste Trigonet.");
    EXPECT_EQ(form->TongueBtn->toolTip(), "I don't speak german.");
    EXPECT_EQ(form->SaveBtn->toolTip(), "Einmal zu oft gesichert ist besser als einmal zuwenig");
    EXPECT_TRUE(form->banner->Line().endsWith("Die legendären Fribo Games warten auf Dich.     "));
    EXPECT_EQ(form->windowTitle(), "Fribo Trigonet - Spiel my game.ftg");
}

TEST_F(MainFormTest, BannerClickOpensTheHomepageUntilThatFails) {
    Start();
    int attempts = 0;
    form->homeLink.Open = [&](const QUrl&) {
        ++attempts;
        return false;
    };
    QTest::mouseClick(form->banner, Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseClick(form->banner, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(attempts, 1);
    EXPECT_FALSE(form->homeLink.IsOn());
}

} // namespace

// The saved-game commands' questions and reports, as the player sees them.
struct SavedGameDialogsTest : MainFormTest {
    struct BoxShown {
        DialogSeam::BoxKind kind;
        QString caption, text;
    };
    std::vector<BoxShown> boxes;
    std::vector<DialogSeam::FileRequest> requests;
    int boxAnswer = 6;

    void Answer() {
        DialogSeam::Responder responder;
        responder.box = [this](DialogSeam::BoxKind kind, const QString& caption,
                               const QString& text) {
            boxes.push_back({kind, caption, text});
            return boxAnswer;
        };
        responder.file = [this](const DialogSeam::FileRequest& request) {
            requests.push_back(request);
            return QString::fromStdString(request.startPath.toStdString() + "/chosen.ftg");
        };
        DialogSeam::SetResponder(responder);
    }
};

TEST_F(SavedGameDialogsTest, QuestionsAndReportsNameTheFileInTheGamesLanguage) {
    ASSERT_TRUE(Create());
    Answer();
    G().data.Language = 0;
    EXPECT_TRUE(form->ConfirmOverwrite("a.ftg"));
    boxAnswer = 7;
    EXPECT_FALSE(form->ConfirmOverwrite("a.ftg"));
    form->ReportCannotSave("/games/full.ftg", ENOSPC);
    form->ReportCannotLoad("lost.ftg");
    G().data.Language = 1;
    form->ConfirmOverwrite("a.ftg");
    form->ReportCannotSave("/games/game.ftg", EROFS);
    form->ReportCannotLoad("lost.ftg");
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[0].kind, DialogSeam::BoxKind::Warning);
    EXPECT_EQ(boxes[0].caption, "Warnung");
    EXPECT_EQ(boxes[0].text, "Game a.ftg already exists. Overwrite?");
    EXPECT_EQ(boxes[2].kind, DialogSeam::BoxKind::Error);
    EXPECT_EQ(boxes[2].caption, "Fehler");
    EXPECT_EQ(boxes[2].text, "Cannot save game full.ftg. Drive full or not writable.");
    EXPECT_EQ(boxes[3].caption, "Fehler");
    EXPECT_EQ(boxes[3].text, "Error occured while loading file lost.ftg!");
    EXPECT_EQ(boxes[4].text, QString::fromUtf8("Spiel a.ftg existiert bereits. Überschreiben?"));
    EXPECT_EQ(boxes[5].text, QString::fromUtf8("Kann Spiel game.ftg nicht speichern. Datenträger "
                                               "voll oder nicht beschreibbar."));
    EXPECT_EQ(boxes[6].text, "Fehler beim Laden des Spiels lost.ftg!");
}

TEST_F(SavedGameDialogsTest, FileDialogsAskForFtgFilesFromTheGivenStart) {
    ASSERT_TRUE(Create());
    Answer();
    EXPECT_EQ(form->ChooseSaveFile(dir.path().toStdString()),
              dir.filePath("chosen.ftg").toStdString());
    form->ChooseOpenFile("/somewhere");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].startPath, dir.path());
    EXPECT_EQ(requests[0].filter, "Fribo Trigonet (*.ftg)");
    EXPECT_EQ(requests[0].defaultSuffix, "ftg");
    EXPECT_FALSE(requests[1].save);
    EXPECT_EQ(requests[1].startPath, "/somewhere");
    EXPECT_EQ(requests[1].filter, "Fribo Trigonet (*.ftg)");
}

TEST_F(MainFormTest, NewGameQuestionClosedWithItsCloseBoxLeavesTheProgress) {
    const QString old = dir.filePath("old.ftg");
    WriteFile(old, QByteArray("\x0c\x08\x00", 3));
    Ini().StoreText("common", "save", old);
    Start();
    seam.dialogAnswer = static_cast<int>(ModalResult::Cancel);
    QTest::mouseClick(form->NewgameBtn, Qt::LeftButton);
    EXPECT_EQ(seam.dialogs, QStringList{"YesNoDlg 4"});
    EXPECT_EQ(G().data.Progress[1], 12);
    EXPECT_EQ(G().data.Progress[2], 8);
    EXPECT_EQ(G().data.SaveFileName, old.toStdString());
}

namespace {

// Every text of a shown dialog, read from its pixels: labels, buttons and text
// boxes, each against its own background. Lists those below 4.5.
QStringList UnreadableTexts(QDialog* dialog) {
    QStringList unreadable;
    auto check = [&](QWidget* widget, QRect area, const QString& what) {
        const double contrast = TextContrast(widget->grab(area).toImage());
        if (contrast < 4.5)
            unreadable << QString("%1 %2: %3").arg(dialog->objectName(), what).arg(contrast);
    };
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->isVisibleTo(dialog) && !label->text().isEmpty())
            check(label, label->rect(), label->text().left(20));
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisibleTo(dialog) && !button->text().isEmpty()) // inside its frame
            check(button, button->rect().adjusted(4, 4, -4, -4), button->text());
    for (QPlainTextEdit* box : dialog->findChildren<QPlainTextEdit*>())
        if (box->isVisibleTo(dialog))
            check(box->viewport(), box->viewport()->rect(), box->objectName());
    return unreadable;
}

TEST_F(MainFormTest, EveryDialogsTextReadsUnderADarkPalette) {
    const QPalette before = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    Start();
    QStringList unreadable, shown, overMain;
    seam.onDialog = [&](QDialog* dialog) {
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        shown << dialog->objectName();
        unreadable << UnreadableTexts(dialog);
        if (dialog->windowHandle()->transientParent() == form->windowHandle())
            overMain << dialog->objectName();
        dialog->hide();
        return static_cast<int>(ModalResult::No);
    };
    for (QToolButton* button :
         {form->InfoBtn, form->RulesBtn, form->TongueBtn, form->StatBtn, form->SelectBtn})
        QTest::mouseClick(button, Qt::LeftButton);
    form->close(); // the quit question, answered no, then the info once more
    QApplication::setPalette(before);
    const QStringList all{"FreewareDlg", "HintDlg",  "TongueDlg",  "StatDlg",
                          "SelectDlg",   "YesNoDlg", "FreewareDlg"};
    EXPECT_EQ(shown, all);
    EXPECT_EQ(overMain, all) << "each stands over the main window";
    EXPECT_TRUE(unreadable.isEmpty()) << unreadable.join("\n").toStdString();
}

TEST_F(MainFormTest, FirstStartQuestionsComeWhenTheWindowIsShownEvenIfNeverActivated) {
    struct NoActivation : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            return event->type() == QEvent::WindowActivate;
        }
    } noActivation;
    ASSERT_TRUE(Create());
    form->CreateSecondaryWindows();
    EXPECT_EQ(form->PatForm()->windowHandle()->transientParent(), form->windowHandle());
    EXPECT_EQ(form->PatForm()->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    form->installEventFilter(&noActivation);
    form->ShowAtPlacement();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return seam.dialogs.size() == 2; }, 2000));
    EXPECT_EQ(seam.dialogs, (QStringList{"TongueDlg", "FreewareDlg"}));
    form->removeEventFilter(&noActivation);
    form->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(seam.dialogs.size(), 2) << "asked once only";
}

// The target window and the dialogs take longer to make than the board takes
// to paint: they come after the main window's first frame, and the first-start
// questions still find them.
TEST_F(MainFormTest, TheMainWindowsFirstFrameComesBeforeTheOtherWindowsAreMade) {
    ASSERT_TRUE(Create());
    bool madeAtFirstFrame = true;
    struct AtExpose : QObject {
        std::function<void()> seen;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Expose && seen) std::exchange(seen, nullptr)();
            return false;
        }
    } atExpose;
    bool canvasAtFirstFrame = true;
    atExpose.seen = [&] {
        madeAtFirstFrame = form->PatForm() != nullptr;
        canvasAtFirstFrame = !Box()->Canvas().isNull();
    };
    form->winId();
    form->windowHandle()->installEventFilter(&atExpose);
    form->ShowAtPlacement();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_FALSE(madeAtFirstFrame);
    EXPECT_FALSE(canvasAtFirstFrame); // the first frame paints the board without it
    EXPECT_TRUE(QTest::qWaitFor([&] { return seam.dialogs.size() == 2; }, 2000));
    EXPECT_FALSE(Box()->Canvas().isNull());
    EXPECT_EQ(seam.dialogs, (QStringList{"TongueDlg", "FreewareDlg"}));
    ASSERT_NE(form->PatForm(), nullptr);
    EXPECT_TRUE(form->PatForm()->isVisible());
    EXPECT_EQ(form->PatForm()->windowHandle()->transientParent(), form->windowHandle());
}

} // namespace

// The marble beside the board shows its tile pixel for pixel: at twice the
// density the fine tile, never the plain one blown up into blocks.
TEST_F(MainFormTest, MarbleShowsItsTilePixelForPixelAtTheScreensDensity) {
    Start();
    const qreal ratio = form->devicePixelRatioF();
    const QImage tile(ratio >= 1.5 ? ":/textures/marble@2x.png" : ":/textures/marble.png");
    ASSERT_FALSE(tile.isNull());
    // Inside the window's own edge line and short of the board's frame.
    const QRect beside(2, Box()->y() + 8, Box()->x() - 14, 24);
    ASSERT_GT(beside.width(), 8);
    const QImage shown = form->grab(beside).toImage().convertToFormat(QImage::Format_RGB32);
    const int left = qRound(beside.left() * ratio), top = qRound(beside.top() * ratio);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing +=
                (shown.pixel(x, y) & 0xffffff) !=
                (tile.pixel((left + x) % tile.width(), (top + y) % tile.height()) & 0xffffff);
    EXPECT_EQ(differing, 0) << "of " << shown.width() * shown.height() << " at ratio " << ratio;
}

TEST_F(MainFormTest, AFigureIsLaidToTheSolvedMessageWithKeysAlone) {
    Start();
    EXPECT_TRUE(Box()->hasFocus() || !QApplication::focusWidget()) << "the keys go to the board";
    ASSERT_TRUE(LayWithKeys(Box(), G(), G().data.Figures[1]));
    EXPECT_EQ(G().State, gsSolved);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !seam.dialogs.isEmpty(); }));
    EXPECT_EQ(seam.dialogs, QStringList{"YesNoDlg 1"});
    EXPECT_EQ(Caption(), "Trigonet 1 - solved");
    EXPECT_EQ(sounds->back(), "play 104"); // the solved cue last
    EXPECT_EQ(Count("play 105"), 0) << "no put-down was refused";
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_EQ(Pixel(Centroid(t)), GreenRgb) << t;
    EXPECT_EQ(Box()->accessibleDescription(), "Trigonet 1 is solved.");
}

TEST_F(MainFormTest, AHeldEnterPutsDownOnceAndAHeldArrowKeepsMoving) {
    Start();
    QTest::keyClick(Box(), Qt::Key_N);
    const int col = G().board.Triangles[1].Col;
    QKeyEvent repeatedArrow(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Box(), &repeatedArrow);
    EXPECT_EQ(G().board.Triangles[1].Col, col + 1);
    QKeyEvent repeatedEnter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, true);
    QKeyEvent repeatedEscape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Box(), &repeatedEnter);
    QApplication::sendEvent(Box(), &repeatedEscape);
    EXPECT_EQ(G().board.Selected, 1) << "a repeat of a held key neither puts down nor back";
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(G().board.Selected, 0);
}

TEST_F(MainFormTest, UndoAndRedoWalkBackToTheStartAndForwardWithTheSamePixels) {
    Start();
    EXPECT_FALSE(form->UndoBtn->isEnabled());
    std::vector<QImage> seen{Box()->Canvas().copy()};
    for (int t = 1; t <= 3; ++t) { // three triangles into the middle by keys and mouse
        QTest::keyClick(Box(), Qt::Key_N);
        for (int k = 0; k < 10 + 3 * t; ++k)
            QTest::keyClick(Box(), G().board.Triangles[t].Col < 45 ? Qt::Key_Right : Qt::Key_Left);
        QTest::keyClick(Box(), Qt::Key_R);
        Press(Qt::LeftButton, {1, 1}); // put down by the mouse
        seen.push_back(Box()->Canvas().copy());
    }
    EXPECT_TRUE(form->UndoBtn->isEnabled());
    EXPECT_FALSE(form->RedoBtn->isEnabled());
    const QByteArray progress(reinterpret_cast<const char*>(G().data.Progress.data()), 10);
    for (int k = 2; k >= 0; --k) {
        QTest::mouseClick(form->UndoBtn, Qt::LeftButton);
        EXPECT_TRUE(Box()->Canvas() == seen[k]) << "back to step " << k;
    }
    EXPECT_FALSE(form->UndoBtn->isEnabled());
    for (int k = 1; k <= 3; ++k) {
        QTest::mouseClick(form->RedoBtn, Qt::LeftButton);
        EXPECT_TRUE(Box()->Canvas() == seen[k]) << "forward to step " << k;
    }
    EXPECT_FALSE(form->RedoBtn->isEnabled());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(G().data.Progress.data()), 10), progress);
    EXPECT_FALSE(G().data.Dirty);
    // The shortcuts reach the same buttons.
    EXPECT_EQ(form->UndoBtn->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(form->RedoBtn->shortcut(), QKeySequence("Ctrl+Shift+Z"));
}

TEST_F(MainFormTest, ToolbarShortcutsAndAccessibleNamesFollowTheLanguage) {
    Start();
    const std::pair<QToolButton*, const char*> keys[] = {
        {form->NewgameBtn, "Ctrl+N"}, {form->LoadBtn, "Ctrl+O"},    {form->SaveBtn, "Ctrl+S"},
        {form->TipBtn, "Ctrl+H"},     {form->UpBtn, "Ctrl+PgDown"}, {form->DownBtn, "Ctrl+PgUp"},
        {form->StatBtn, "Ctrl+T"},    {form->ExitBtn, "Ctrl+Q"},    {form->RulesBtn, "F1"}};
    for (const auto& [button, key] : keys) {
        EXPECT_EQ(button->shortcut(), QKeySequence(key)) << key;
        EXPECT_TRUE(button->accessibleDescription().endsWith(
            "(" + QKeySequence(key).toString(QKeySequence::NativeText) + ")"))
            << button->accessibleDescription().toStdString();
    }
    EXPECT_EQ(form->UpBtn->toolTip(), "I take the next Trigonet."); // the hint itself stays
    EXPECT_EQ(form->UpBtn->accessibleName(), "Next Trigonet");
    EXPECT_EQ(Box()->accessibleName(), "Board");
    QTest::keyClick(Box(), Qt::Key_N);
    EXPECT_TRUE(Box()->accessibleDescription().startsWith("Triangle 1 held, column "));
    G().data.Language = 1;
    form->ApplyTexts();
    EXPECT_EQ(form->UpBtn->accessibleName(), QString::fromUtf8("Nächstes Trigonet"));
    EXPECT_EQ(Box()->accessibleName(), "Spielfeld");
    EXPECT_TRUE(Box()->accessibleDescription().startsWith("Dreieck 1 gehalten, Spalte "));
    EXPECT_EQ(form->PatForm()->accessibleName(), "Vorlage");
}

// Run at QT_SCALE_FACTOR=2 as well (see CMakeLists.txt).
TEST_F(MainFormTest, KeysShowADashedMarkOnTheScreenOnlyThatFollowsTheHeldTriangle) {
    Start();
    const qreal scale = Box()->Scale();
    const auto shown = [&] {
        return Box()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    QTest::keyClick(Box(), Qt::Key_N);
    QTest::keyClick(Box(),
                    G().board.Triangles[1].Col < GridColumns / 2 ? Qt::Key_Right : Qt::Key_Left);
    ASSERT_EQ(G().board.Selected, 1);
    // A few pixels clear of the corners on every side, the board's border aside.
    const QRect area = Box()->MarkArea();
    const QRect corners = QPolygon({Vertex(1, 0), Vertex(1, 1), Vertex(1, 2)}).boundingRect();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(area.adjusted(3, 3, -3, -3).contains(Vertex(1, k))) << "around corner " << k;
    EXPECT_TRUE(corners.adjusted(-8, -8, 8, 8).contains(area));

    // Every pixel the screen adds to the canvas is black or white, on a ring
    // around the triangle; inside it the held outline shows as it always did.
    const QImage screen = shown(), board = Box()->Canvas();
    const QRect areaPixels(area.topLeft() * scale, area.size() * scale);
    const QRect inside = areaPixels.adjusted(4 * scale, 4 * scale, -4 * scale, -4 * scale);
    int black = 0, white = 0, other = 0, outside = 0;
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            if (const QRgb p = screen.pixel(x, y) & 0xffffff; p != (board.pixel(x, y) & 0xffffff)) {
                (p == BlackRgb ? black : p == 0xffffff ? white : other) += 1;
                outside += !areaPixels.contains(x, y) || inside.contains(x, y);
            }
    EXPECT_EQ(other, 0) << "crisp: no blended pixels";
    EXPECT_EQ(outside, 0) << "off the ring";
    EXPECT_GT(white, 2 * area.width() * scale) << "white dashes on the board and on black fills";
    EXPECT_GT(black, area.width() * scale) << "black dashes on the silver board";
    const QImage withMark = Box()->Canvas().copy();
    Box()->boxPaint();
    EXPECT_TRUE(Box()->Canvas() == withMark) << "the mark never enters the canvas";

    // One shift repaints the old and the new mark's rectangles, not the board.
    QApplication::processEvents();
    struct PaintSpy : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } spy;
    Box()->installEventFilter(&spy);
    const bool down = G().board.Triangles[1].Row < GridRows / 2;
    QTest::keyClick(Box(), down ? Qt::Key_Down : Qt::Key_Up);
    QApplication::processEvents();
    Box()->removeEventFilter(&spy);
    // The edge it moves towards leaves the board's border, which may clip the other.
    const QRect moved = Box()->MarkArea();
    const int lead = down ? moved.bottom() - area.bottom() : area.top() - moved.top();
    EXPECT_LE(std::abs(lead - Unit()), 1) << "follows the triangle";
    EXPECT_EQ(moved.left(), area.left());
    EXPECT_EQ(moved.width(), area.width());
    const QRect repainted = spy.painted.boundingRect();
    EXPECT_TRUE(repainted.contains(area | moved));
    const double share =
        1.0 * repainted.width() * repainted.height() / (Box()->width() * Box()->height());
    EXPECT_LT(share, 0.15) << repainted.width() << "x" << repainted.height() << " of "
                           << Box()->width() << "x" << Box()->height();
    std::printf("one key shift repaints %dx%d of %dx%d at scale %g\n", repainted.width(),
                repainted.height(), Box()->width(), Box()->height(), scale);

    // A press, even one that keeps the triangle held, gives back the mouse's look.
    Press(Qt::LeftButton, MoveGrip(1));
    Release(Qt::LeftButton, MoveGrip(1));
    ASSERT_EQ(G().board.Selected, 1);
    EXPECT_TRUE(Box()->MarkArea().isEmpty());
    EXPECT_TRUE(shown() == Box()->Canvas());
    QTest::keyClick(Box(), Qt::Key_Left);
    EXPECT_FALSE(Box()->MarkArea().isEmpty()) << "the next key shows it again";
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_TRUE(Box()->MarkArea().isEmpty()) << "nothing held, nothing marked";
    EXPECT_TRUE(shown() == Box()->Canvas());
}
