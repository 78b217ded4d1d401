#include "designer/designer_form.h"
#include "designer/figure_pictures.h"

#include "board/orientation.h"
#include "game/collection_path.h"
#include "shell/board_box.h"
#include "shell/install_paths.h"
#include "support/pixel_checks.h"
#include "ui/dialog_seam.h"
#include "ui/palette_colours.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <set>

#include <time.h>

namespace {

// Triangles 1..8 as four 10 x 10 squares, each of orientations 0 and 8, whose
// top-left grid points are given.
FigureRecord Squares(std::initializer_list<std::pair<int, int>> corners) {
    FigureRecord record{};
    int t = 0;
    for (auto [x, y] : corners) {
        record[t++] = {static_cast<uint8_t>(x + 7), static_cast<uint8_t>(y + 7), 0};
        record[t++] = {static_cast<uint8_t>(x + 3), static_cast<uint8_t>(y + 3), 8};
    }
    return record;
}

const FigureRecord BigSquare = Squares({{35, 20}, {45, 20}, {35, 30}, {45, 30}});
const FigureRecord LyingBar = Squares({{25, 25}, {35, 25}, {45, 25}, {55, 25}});
const FigureRecord StandingBar = Squares({{40, 10}, {40, 20}, {40, 30}, {40, 40}});
const FigureRecord ThreeAndOne = Squares({{30, 20}, {40, 20}, {50, 20}, {40, 40}});

struct DesignerTest : ::testing::Test {
    QTemporaryDir folder;
    std::deque<QString> names; // answers of the name dialog, cancel when none is left
    // What the name dialog kept and said for each answer it refused, staying open.
    std::vector<std::pair<QString, QString>> refusals;
    std::deque<QString> files; // answers of the file dialogs, cancel when none is left
    QStringList boxes, captions;
    std::deque<int> answers; // of the boxes, yes (6) when none is left
    std::unique_ptr<TDesignerForm> form;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        DialogSeam::Responder responder;
        responder.dialog = [this](QDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("NameEdit");
            auto* problem = dialog->findChild<QLabel*>("NameProblem");
            if (!edit || !problem || names.empty()) return 2;
            dialog->show();
            // Each answer typed as the player types, over what the field holds,
            // and Return pressed; a refused one is mended with the next answer.
            while (dialog->isVisible() && !names.empty()) {
                edit->selectAll();
                if (names.front().isEmpty())
                    QTest::keyClick(edit, Qt::Key_Backspace);
                else if (names.front().toLatin1() != names.front().toUtf8() ||
                         names.front().contains(QRegularExpression("[\\x00-\\x1f\\x7f]")))
                    edit->insert(names.front()); // pasted: no key types a control character
                else
                    QTest::keyClicks(edit, names.front());
                names.pop_front();
                QTest::keyClick(edit, Qt::Key_Return);
                if (dialog->isVisible())
                    refusals.push_back({edit->text(), problem->isVisible() ? problem->text() : ""});
            }
            const bool accepted = !dialog->isVisible();
            dialog->hide(); // the player gives up on a refused name
            return accepted ? dialog->result() : 2;
        };
        responder.file = [this](const DialogSeam::FileRequest&) {
            if (files.empty()) return QString();
            const QString path = files.front();
            files.pop_front();
            return path;
        };
        responder.box = [this](DialogSeam::BoxKind, const QString& caption, const QString& text) {
            boxes << text;
            captions << caption;
            if (answers.empty()) return 6;
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
        DialogSeam::SetResponder(responder);
        Start();
    }
    void TearDown() override {
        QFile::remove(PersonalCollectionPath());
        DialogSeam::SetResponder({});
    }

    void Start(int language = 0) {
        const QString ini = Path("settings.conf");
        SettingsStore(ini).StoreNumber("common", "tongue", language);
        form = std::make_unique<TDesignerForm>(ini);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QString Path(const char* name) const { return folder.filePath(name); }
    BoardBox* Box() const { return form->Board(); }
    int Unit() const { return Box()->Unit(); }
    template <typename T> T* Child(const char* name) const {
        T* child = form->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // The judging runs off the window thread; its verdict comes through the event loop.
    void WaitForVerdict() const {
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->Judged(); }, 60000));
    }
    QString Rule(RuleId id) const {
        WaitForVerdict();
        return Child<QLabel>(QString("RuleLabel%1").arg(static_cast<int>(id)).toLatin1())->text();
    }
    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }

    void Press(Qt::MouseButton button, QPoint at) { QTest::mousePress(Box(), button, {}, at); }
    void DragTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Box()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Box(), &move);
    }

    // A quarter of the way from the anchor to the centroid: in the move zone.
    QPoint Grip(const Placement& p) const {
        int x = 0, y = 0;
        for (int k = 0; k < 3; ++k) {
            const Point c = CornerPixel(p, k, Unit());
            x += c.x, y += c.y;
        }
        const QPoint anchor(p.Col * Unit(), p.Row * Unit());
        return anchor + (QPoint(x / 3, y / 3) - anchor) / 4;
    }
    // No test figure reaches row 58, and no triangle waits there.
    QPoint EmptySpot() const { return {45 * Unit() + Unit() / 2, 58 * Unit() + Unit() / 2}; }

    // As a player does it: picks triangle t up, drags it there, turns it with the
    // right button, and clicks beside it. False when the put-down was refused.
    bool LayWithMouse(int t, Placement to) {
        const Placement from = form->Arrangement()[t - 1];
        const QPoint grip = Grip(from);
        Press(Qt::LeftButton, grip);
        DragTo(grip + QPoint((to.Col - from.Col) * Unit(), (to.Row - from.Row) * Unit()));
        QTest::mouseRelease(Box(), Qt::LeftButton, {}, grip);
        for (int n = (to.Orient - from.Orient + OrientationCount) % OrientationCount; n > 0; --n)
            Press(Qt::RightButton, EmptySpot());
        Press(Qt::LeftButton, EmptySpot());
        // Centring waits while a triangle is held.
        return Child<QPushButton>("CentreBtn")->isEnabled() && form->Arrangement()[t - 1] == to;
    }
    void LayWithMouse(const FigureRecord& figure) {
        for (int t = 1; t <= TriangleCount; ++t)
            ASSERT_TRUE(LayWithMouse(t, figure[t - 1])) << "triangle " << t;
        WaitForVerdict();
    }
    QString Status() const { return Child<QLabel>("StatusLine")->text(); }
    void WriteFile(const char* name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray Line(const char* name, const FigureRecord& figure) {
        return QByteArray(name) + ":" +
               QByteArray::fromStdString(FormatSourceLine({"", figure, 0}).substr(1)) + "\n";
    }

    QColor PictureAt(const char* label, int x, int y) const {
        return Child<QLabel>(label)->pixmap().toImage().pixelColor(x, y);
    }
};

TEST_F(DesignerTest, SquareLaidWithTheMousePassesEveryRuleIsAddedSavedAndReadBack) {
    EXPECT_TRUE(Rule(RuleId::StartAreas).startsWith(QString::fromUtf8("\u2718")))
        << "the triangles waiting at their starting places are no figure";
    EXPECT_FALSE(Child<QPushButton>("AddBtn")->isEnabled());

    LayWithMouse(BigSquare);
    EXPECT_TRUE(form->Verdict().Passed());
    for (int i = 0; i < RuleIdCount; ++i)
        EXPECT_TRUE(Rule(static_cast<RuleId>(i)).startsWith(QString::fromUtf8("\u2714")))
            << Rule(static_cast<RuleId>(i)).toStdString();
    // The target window's picture: the square's middle (45, 30) at two pixels a unit.
    EXPECT_EQ(PictureAt("Preview", 90, 60), QColor(Qt::black));
    EXPECT_EQ(PictureAt("Preview", 60, 30), QColor(192, 192, 192));
    EXPECT_EQ(PictureAt("Thumbnail", 45, 15 + 30), QColor(Qt::black));

    // A refused name is mended in the same dialog, which says why it stayed open.
    names = {"Big: square", "#Big square", "Big square"};
    Click("AddBtn");
    EXPECT_EQ(refusals, (std::vector<std::pair<QString, QString>>{
                            {"Big: square", "A name may hold neither a colon nor a line break."},
                            {"#Big square", "A name may not begin with #."}}));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    ASSERT_EQ(form->Collection().Figures.size(), 1u);
    EXPECT_EQ(form->Collection().Figures[0].Name, "Big square");
    EXPECT_EQ(form->Collection().Figures[0].Record, BigSquare);
    EXPECT_EQ(Child<QListWidget>("FigureList")->count(), 1);
    // Not saved yet: closing asks, and No keeps the window and the figure.
    answers = {7};
    EXPECT_FALSE(form->close());
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_EQ(boxes.takeLast(), "Discard the changes to the collection?");
    EXPECT_EQ(captions.takeLast(), "Warning") << "the designer's boxes follow its language";
    // Now it is in the collection, the same square again is no new figure.
    EXPECT_TRUE(Rule(RuleId::Distinct).contains("figure 1 (Big square)"));
    EXPECT_FALSE(Child<QPushButton>("AddBtn")->isEnabled());

    files = {Path("mine.txt")};
    Click("SaveSourceBtn");
    files = {Path("ftrg2.dat")};
    Click("SaveRecordsBtn");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_EQ(QFileInfo(Path("ftrg2.dat")).size(), FigureRecordSize);

    for (const char* file : {"mine.txt", "ftrg2.dat"}) {
        DesignCollection read;
        QString error;
        ASSERT_TRUE(ReadDesignCollection(Path(file), 0, read, error)) << error.toStdString();
        ASSERT_EQ(read.Figures.size(), 1u) << file;
        EXPECT_EQ(read.Figures[0].Record, BigSquare) << file;
    }
    files = {Path("mine.txt")};
    Click("OpenBtn");
    ASSERT_EQ(form->Collection().Figures.size(), 1u);
    EXPECT_EQ(form->Collection().Figures[0].Name, "Big square");

    // Installed for the player, it stands beside the shipped collection, never in its place.
    const QByteArray shipped(3 * FigureRecordSize, '\x01');
    WriteFile("ftrg2.dat", shipped);
    const std::string programDir = folder.path().toStdString() + '/';
    WaitForVerdict();
    Click("InstallBtn");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_TRUE(Status().contains("\"My own figures\"")) << Status().toStdString();
    EXPECT_EQ(FirstExistingPath(CollectionCandidates(programDir)), programDir + "ftrg2.dat");
    EXPECT_EQ(PersonalCollections(),
              std::vector<std::string>{PersonalCollectionPath().toStdString()});
    QFile installed(PersonalCollectionPath());
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    EXPECT_EQ(installed.readAll(),
              QByteArray(reinterpret_cast<const char*>(BigSquare.data()), FigureRecordSize));
    files = {PersonalCollectionPath()};
    Click("OpenBtn");
    ASSERT_EQ(form->Collection().Figures.size(), 1u);
    EXPECT_EQ(form->Collection().Figures[0].Name, "Big square"); // not "Figure 1"
}

TEST_F(DesignerTest, SplitOrOverlappingArrangementShowsTheFailingRuleAndIsNotAdded) {
    LayWithMouse(ThreeAndOne);
    EXPECT_EQ(Rule(RuleId::OnePiece), QString::fromUtf8("\u2718 Falls into 2 pieces"));
    EXPECT_TRUE(Rule(RuleId::EdgeJoined).contains("not checked"));
    EXPECT_FALSE(Child<QPushButton>("AddBtn")->isEnabled());
    names = {"Split"};
    Click("AddBtn");
    EXPECT_TRUE(form->Collection().Figures.empty());

    // Greyed, Add says why: the first rule that fails.
    EXPECT_EQ(Child<QPushButton>("AddBtn")->toolTip(), Rule(RuleId::Centred).mid(2));

    // Laid over triangle 1, triangle 2 is refused and stays in the hand; the
    // designer has no sound, so the status line says it.
    EXPECT_FALSE(LayWithMouse(2, ThreeAndOne[0]));
    EXPECT_TRUE(Status().startsWith("The triangle does not fit here")) << Status().toStdString();
    EXPECT_FALSE(Child<QPushButton>("AddBtn")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("CentreBtn")->isEnabled());
}

TEST_F(DesignerTest, QuarterTurnedDuplicateIsRefusedAndReplacingItsOriginalIsNot) {
    FILE* source = std::fopen(Path("bars.txt").toLocal8Bit().constData(), "w");
    ASSERT_NE(source, nullptr);
    std::fprintf(source, "# bars\nBar: %s\n",
                 FormatSourceLine({"x", LyingBar, 0}).substr(2).c_str());
    std::fclose(source);
    files = {Path("bars.txt")};
    Click("OpenBtn");
    ASSERT_EQ(form->Collection().Figures.size(), 1u);

    LayWithMouse(StandingBar);
    EXPECT_EQ(Rule(RuleId::Distinct),
              QString::fromUtf8("\u2718 Is a quarter turn of figure 1 (Bar)"));
    EXPECT_FALSE(Child<QPushButton>("AddBtn")->isEnabled());
    EXPECT_EQ(form->Collection().Figures.size(), 1u);

    // Replacing the bar itself is no duplicate.
    Child<QListWidget>("FigureList")->setCurrentRow(0);
    Click("ReplaceBtn");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_EQ(form->Collection().Figures[0].Record, StandingBar);
    EXPECT_EQ(form->Collection().Figures[0].Name, "Bar");
    // The replaced figure is a change to the collection like any other.
    answers = {7};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(boxes, QStringList{"Discard the changes to the collection?"});
}

TEST_F(DesignerTest, InstallWhileJudgingAndAReplaceThatBreaksARuleAreRefused) {
    WriteFile("bar.txt", Line("Bar", LyingBar));
    ASSERT_TRUE(form->OpenCollection(Path("bar.txt")));
    // Pressed before the verdicts are in, Install has nothing to trust yet.
    ASSERT_FALSE(form->Judged());
    Click("InstallBtn");
    EXPECT_EQ(boxes, QStringList{"The collection is still being checked; nothing was "
                                 "installed. Try again in a moment."});
    EXPECT_FALSE(QFile::exists(PersonalCollectionPath()));

    // A split arrangement does not take the place of a sound figure.
    ASSERT_TRUE(form->LayArrangement(ThreeAndOne));
    Child<QListWidget>("FigureList")->setCurrentRow(0);
    WaitForVerdict();
    ASSERT_TRUE(Child<QPushButton>("ReplaceBtn")->isEnabled());
    boxes.clear();
    Click("ReplaceBtn");
    EXPECT_EQ(boxes, QStringList{Rule(RuleId::Centred).mid(2)}) << "the first rule it breaks";
    EXPECT_EQ(form->Collection().Figures[0].Record, LyingBar);
    // Nothing changed, so closing asks nothing.
    boxes.clear();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(DesignerTest, OpenAndSaveAskBeforeTheyLoseWork) {
    ASSERT_TRUE(form->LayArrangement(BigSquare));
    WaitForVerdict();
    names = {"Square"};
    Click("AddBtn");
    ASSERT_EQ(form->Collection().Figures.size(), 1u);

    // Unsaved, the collection is not given up for another without a question;
    // No keeps it, and no file is asked for.
    WriteFile("bar.txt", Line("Bar", LyingBar));
    files = {Path("bar.txt")};
    answers = {7};
    Click("OpenBtn");
    EXPECT_EQ(boxes, QStringList{"Discard the changes to the collection?"});
    ASSERT_EQ(form->Collection().Figures.size(), 1u);
    EXPECT_EQ(form->Collection().Figures[0].Name, "Square");
    EXPECT_EQ(files.size(), 1u);

    // A file that exists is overwritten only after Yes, by either kind of save.
    files.clear();
    for (const char* name : {"mine.txt", "ftrg2.dat"}) {
        WriteFile(name, "kept\n");
        files = {Path(name)};
        answers = {7};
        boxes.clear();
        Click(QByteArray(name).endsWith(".txt") ? "SaveSourceBtn" : "SaveRecordsBtn");
        EXPECT_EQ(boxes, QStringList{Path(name) + " exists already. Overwrite?"});
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "kept\n") << name;
    }
    files = {Path("mine.txt")};
    answers = {6};
    Click("SaveSourceBtn");
    DesignCollection read;
    QString error;
    ASSERT_TRUE(ReadDesignCollection(Path("mine.txt"), 0, read, error)) << error.toStdString();
    ASSERT_EQ(read.Figures.size(), 1u);
    EXPECT_EQ(read.Figures[0].Record, BigSquare);
    // Saved, it closes without a question.
    boxes.clear();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(DesignerTest, ListMovesDeletesAndLaysItsFigures) {
    const QString text =
        QString("A: %1\nB: %2\nC: %3\n")
            .arg(QString::fromStdString(FormatSourceLine({"", BigSquare, 0}).substr(2)))
            .arg(QString::fromStdString(FormatSourceLine({"", LyingBar, 0}).substr(2)))
            .arg(QString::fromStdString(FormatSourceLine({"", ThreeAndOne, 0}).substr(2)));
    QFile file(Path("three.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    ASSERT_TRUE(form->OpenCollection(Path("three.txt")));
    auto* list = Child<QListWidget>("FigureList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_FALSE(list->item(0)->icon().isNull());

    list->setCurrentRow(2);
    Click("UpBtn");
    EXPECT_EQ(form->Collection().Figures[1].Name, "C");
    EXPECT_EQ(list->currentRow(), 1);
    Click("DownBtn");
    EXPECT_EQ(form->Collection().Figures[2].Name, "C");
    list->setCurrentRow(0);
    answers = {7};
    Click("DeleteBtn");
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_EQ(boxes.takeLast(), "Delete figure 1 (A)?");
    EXPECT_EQ(form->Collection().Figures.size(), 3u) << "No keeps it";
    Click("DeleteBtn");
    ASSERT_EQ(form->Collection().Figures.size(), 2u);
    EXPECT_EQ(form->Collection().Figures[0].Name, "B");
    EXPECT_EQ(Status(), "Figure 1 (A) deleted.  2 figures, not checked yet.");
    WaitForVerdict();
    EXPECT_TRUE(Status().startsWith("Figure 1 (A) deleted.  2 figures, 1 of them break a rule; "
                                    "first figure 2 (C): "))
        << Status().toStdString();

    // A double click lays the figure on the board, judged at once.
    emit list->itemActivated(list->item(0));
    EXPECT_EQ(form->Arrangement(), LyingBar);
    EXPECT_TRUE(Rule(RuleId::Distinct).contains("the same as figure 1 (B)"));

    // Centring moves an arrangement off the middle back to it.
    ASSERT_TRUE(form->LayArrangement(Squares({{31, 17}, {41, 17}, {31, 27}, {41, 27}})));
    EXPECT_TRUE(Rule(RuleId::Centred).startsWith(QString::fromUtf8("\u2718")));
    Click("CentreBtn");
    EXPECT_EQ(form->Arrangement(), BigSquare);
}

TEST_F(DesignerTest, DamagedFilesAndBadNamesAreRefusedWithAMessage) {
    const std::pair<const char*, QByteArray> damaged[] = {
        {"short.dat", QByteArray(25, '\1')},
        {"empty.dat", QByteArray()},
        {"bad.txt", "Lonely: 1 2 3\n"},
        {"none.txt", "# only comments\n"},
    };
    for (const auto& [name, bytes] : damaged) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        boxes.clear();
        EXPECT_FALSE(form->OpenCollection(Path(name))) << name;
        EXPECT_EQ(boxes.size(), 1) << name;
    }
    EXPECT_FALSE(form->OpenCollection(folder.path())) << "a folder is no collection";

    // A record file with a triangle off the board is read, but not laid or saved.
    FigureRecord offBoard = BigSquare;
    offBoard[3].Orient = 200;
    QFile file(Path("odd.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(offBoard.data()), FigureRecordSize);
    file.close();
    ASSERT_TRUE(form->OpenCollection(Path("odd.dat")));
    EXPECT_EQ(form->Collection().Figures[0].Name, "Figure 1");
    EXPECT_FALSE(form->LayArrangement(offBoard));
    boxes.clear();
    files = {Path("out.dat")};
    Click("SaveRecordsBtn");
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_FALSE(QFile::exists(Path("out.dat")));

    ASSERT_TRUE(form->LayArrangement(BigSquare));
    WaitForVerdict();
    EXPECT_TRUE(form->Verdict().Passed()) << "the damaged record is no duplicate of anything";
    // A refused name keeps the dialog open with the text as typed and the reason
    // beside it; given up, nothing is added and no box follows.
    boxes.clear();
    for (const char* bad : {"Colon: here", "#hash", "  "}) {
        names = {bad};
        refusals.clear();
        Click("AddBtn");
        ASSERT_EQ(refusals.size(), 1u) << bad;
        EXPECT_EQ(refusals[0].first, bad);
        EXPECT_FALSE(refusals[0].second.isEmpty()) << bad;
    }
    EXPECT_EQ(refusals[0].second, "The figure needs a name.");
    for (const char16_t mark : {u'\x01', u'\x7f', u'\x85', u'\x202e', u'\x2066', u'\x200f'}) {
        const QString evil = QStringLiteral("Evil") + QChar(mark) + QStringLiteral("name");
        names = {evil};
        refusals.clear();
        Click("AddBtn");
        ASSERT_EQ(refusals.size(), 1u) << int(mark);
        EXPECT_EQ(refusals[0], std::pair(evil, QString("A name may hold no control characters and "
                                                       "no direction marks.")));
    }
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
    EXPECT_EQ(form->Collection().Figures.size(), 1u);
    // Text import asks the name dialog's own rule, and takes what the game reads.
    const std::pair<const char*, QByteArray> refused[] = {
        {"long.txt", Line(QByteArray(81, 'x').constData(), BigSquare)},
        {"utf8.txt", Line("Bad \xff\xfe name", BigSquare)},
        {"many.txt", Line("Square", BigSquare).repeated(MaxFigures + 1)},
        {"bidi.txt", Line("Left\xe2\x80\xaeright", BigSquare)},
        {"nul.txt", QByteArray("Nul\0name", 8) + Line("", BigSquare)},
    };
    const char* why[] = {"line 1: A name has 80 characters at most.",
                         "line 1: A name must be valid UTF-8 text.",
                         "holds 223 figures; the game reads 222 at most.",
                         "line 1: A name may hold no control characters and no direction marks.",
                         "line 1: A name may hold no control characters and no direction marks."};
    for (int i = 0; i < 5; ++i) {
        WriteFile(refused[i].first, refused[i].second);
        boxes.clear();
        EXPECT_FALSE(form->OpenCollection(Path(refused[i].first)));
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].endsWith(why[i])) << boxes[0].toStdString();
    }
    WriteFile("eighty.txt", Line(QByteArray(80, 'x').constData(), BigSquare));
    EXPECT_TRUE(form->OpenCollection(Path("eighty.txt")));
}

TEST_F(DesignerTest, OpenJudgesEveryFigureAndInstallRefusesACollectionWithABrokenOne) {
    FigureRecord pile{};
    pile.fill(BigSquare[0]);
    WriteFile("mixed.txt", Line("Bar", LyingBar) + Line("Standing", StandingBar) +
                               Line("Split", ThreeAndOne) + Line("Pile", pile) +
                               Line("Square", BigSquare));
    ASSERT_TRUE(form->OpenCollection(Path("mixed.txt")));
    WaitForVerdict();
    const std::vector<FigureVerdict>& verdicts = form->CollectionVerdicts();
    ASSERT_EQ(verdicts.size(), 5u);
    EXPECT_TRUE(verdicts[0].Passed());
    EXPECT_EQ(verdicts[1][RuleId::Distinct].State, RuleState::Failed);
    EXPECT_EQ(verdicts[2][RuleId::OnePiece].State, RuleState::Failed);
    EXPECT_EQ(verdicts[3][RuleId::Layable].State, RuleState::Failed);
    EXPECT_TRUE(verdicts[4].Passed());
    auto* list = Child<QListWidget>("FigureList");
    EXPECT_EQ(list->item(0)->text(), "Bar");
    EXPECT_EQ(list->item(1)->text(), QString::fromUtf8("\u2718 Standing"));
    EXPECT_EQ(list->item(1)->toolTip(),
              QString::fromUtf8("\u2718 Is a quarter turn of figure 1 (Bar)"));
    EXPECT_TRUE(Status().contains("5 figures, 3 of them break a rule; first figure 2 (Standing)"))
        << Status().toStdString();

    // Eight triangles on one place overlap; their slivers are no pieces to count.
    ASSERT_TRUE(form->LayArrangement(pile));
    EXPECT_EQ(
        Rule(RuleId::Layable),
        QString::fromUtf8("\u2718 Triangles lie over each other: no order of them can be laid"));
    EXPECT_TRUE(Rule(RuleId::OnePiece).contains("not checked while another rule fails"));

    boxes.clear();
    Click("InstallBtn");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "Figure 2 (Standing) breaks a rule: Is a quarter turn of figure 1. "
                        "Nothing was installed.");
    EXPECT_FALSE(QFile::exists(PersonalCollectionPath()));

    // A collection in progress is saved, and the status line says it is not ready.
    files = {Path("progress.txt")};
    Click("SaveSourceBtn");
    EXPECT_TRUE(
        Status().startsWith("Saved: " + Path("progress.txt") + ". Not ready for the game yet."))
        << Status().toStdString();

    // A smaller collection opened after it is not judged by the verdicts of the last.
    WriteFile("one.txt", Line("Square", BigSquare));
    ASSERT_TRUE(form->OpenCollection(Path("one.txt")));
    EXPECT_EQ(Status(), "Opened " + Path("one.txt") + ".  1 figure, not checked yet.");
}

TEST_F(DesignerTest, ACollectionOfExactly222FiguresOpensAndTakesNoMore) {
    QByteArray records;
    for (int i = 0; i < MaxFigures; ++i)
        records.append(reinterpret_cast<const char*>(BigSquare.data()), FigureRecordSize);
    WriteFile("ftrg2.dat", records);
    ASSERT_TRUE(form->OpenCollection(Path("ftrg2.dat")));
    EXPECT_EQ(form->Collection().Figures.size(), static_cast<size_t>(MaxFigures));

    ASSERT_TRUE(form->LayArrangement(LyingBar));
    WaitForVerdict();
    auto* add = Child<QPushButton>("AddBtn");
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(add->toolTip(), "The collection is full: the game reads 222 figures.");
    names = {"One too many"};
    boxes.clear();
    Click("AddBtn");
    EXPECT_EQ(form->Collection().Figures.size(), static_cast<size_t>(MaxFigures));
}

TEST_F(DesignerTest, ARecordFileOfMoreThan222OrWithAPartialTailIsRefusedAndOneOffTheBoardRead) {
    const QByteArray square(reinterpret_cast<const char*>(BigSquare.data()), FigureRecordSize);
    WriteFile("many.dat", square.repeated(MaxFigures + 1));
    WriteFile("tail.dat", square.repeated(2) + "\1\2\3");
    const std::pair<const char*, const char*> refused[] = {
        {"many.dat", "holds more than 222 figures."},
        {"tail.dat", "ends in the middle of a figure."},
    };
    for (const auto& [name, why] : refused) {
        boxes.clear();
        EXPECT_FALSE(form->OpenCollection(Path(name))) << name;
        ASSERT_EQ(boxes.size(), 1) << name;
        EXPECT_TRUE(boxes[0].endsWith(why)) << boxes[0].toStdString();
    }
    FigureRecord off = BigSquare;
    off[3].Row = 60;
    WriteFile("odd.dat",
              square + QByteArray(reinterpret_cast<const char*>(off.data()), FigureRecordSize) +
                  square);
    ASSERT_TRUE(form->OpenCollection(Path("odd.dat")));
    ASSERT_EQ(form->Collection().Figures.size(), 3u);
    EXPECT_EQ(form->Collection().Figures[1].Record, off);
    EXPECT_EQ(form->Collection().Figures[2].Name, "Figure 3");
}

TEST_F(DesignerTest, JudgingRunsOffTheWindowThreadAndKeepsOnlyTheLatestVerdict) {
    ASSERT_TRUE(form->LayArrangement(BigSquare));
    EXPECT_FALSE(form->Judged()) << "the put-down returned before the search";
    EXPECT_TRUE(Child<QLabel>("RuleLabel8")->text().endsWith(": not checked yet"));
    EXPECT_FALSE(Child<QPushButton>("AddBtn")->isEnabled());
    // Laid again before the first verdict came: that one is dropped.
    ASSERT_TRUE(form->LayArrangement(ThreeAndOne));
    WaitForVerdict();
    EXPECT_EQ(form->Verdict()[RuleId::OnePiece].State, RuleState::Failed);
    EXPECT_EQ(Rule(RuleId::OnePiece), QString::fromUtf8("\u2718 Falls into 2 pieces"));
}

TEST_F(DesignerTest, GermanTextsFollowTheGamesLanguage) {
    Start(1);
    EXPECT_EQ(form->Language(), 1);
    ASSERT_TRUE(form->LayArrangement(ThreeAndOne));
    EXPECT_EQ(Rule(RuleId::OnePiece), QString::fromUtf8("\u2718 Zerfällt in 2 Stücke"));
    EXPECT_EQ(Child<QPushButton>("InstallBtn")->text(), QString::fromUtf8("Für mich einrichten"));
    EXPECT_FALSE(form->OpenCollection(Path("missing.txt")));
    EXPECT_EQ(captions.last(), "Fehler");
}

} // namespace

namespace {

// Run by itself at QT_SCALE_FACTOR=1.25 and 1.5 as well (see CMakeLists.txt),
// where a list icon lies between device pixels. The whole window is grabbed: the
// list is painted at its offset in it, as a window's backing store paints it.
TEST_F(DesignerTest, ListThumbnailsShowPixelForPixelInTheWindow) {
    WriteFile("two.txt", Line("Bar", LyingBar) + Line("Square", BigSquare));
    ASSERT_TRUE(form->OpenCollection(Path("two.txt")));
    auto* list = Child<QListWidget>("FigureList");
    const qreal scale = form->devicePixelRatioF();
    list->doItemsLayout();
    const QImage shown = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < 2; ++row) {
        const QImage picture =
            ThumbnailPicture(form->Collection().Figures[row].Record, row + 1, scale)
                .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(picture.size(),
                  QSize(qRound(ThumbnailWidth * scale), qRound(ThumbnailHeight * scale)));
        const QRect item = list->visualItemRect(list->item(row))
                               .translated(list->viewport()->mapTo(form.get(), QPoint()));
        const QRect search(item.topLeft() * scale, item.size() * scale);
        bool found = false;
        for (int y = search.top(); !found && y <= search.bottom(); ++y)
            for (int x = search.left(); !found && x <= search.right(); ++x) {
                bool same =
                    x + picture.width() <= shown.width() && y + picture.height() <= shown.height();
                for (int j = 0; same && j < picture.height(); ++j)
                    for (int i = 0; same && i < picture.width(); ++i)
                        same = shown.pixel(x + i, y + j) == picture.pixel(i, j);
                found = same;
            }
        EXPECT_TRUE(found) << "row " << row << " at scale " << scale;
    }
}

// Run by itself at QT_SCALE_FACTOR=2 as well (see CMakeLists.txt).
TEST_F(DesignerTest, BoardPreviewAndThumbnailAreDrawnAtTheScreensPixels) {
    const qreal scale = form->devicePixelRatioF();
    if (qgetenv("QT_SCALE_FACTOR") == "2") {
        ASSERT_EQ(scale, 2.0);
    }
    ASSERT_TRUE(form->LayArrangement(ThreeAndOne));
    const QImage board = Box()->grab().toImage();
    EXPECT_EQ(board.size(), Box()->size() * scale);
    EXPECT_TRUE(board.convertToFormat(QImage::Format_RGB32) == Box()->Canvas());
    for (const char* name : {"Preview", "Thumbnail"}) {
        const QPixmap picture = Child<QLabel>(name)->pixmap();
        EXPECT_EQ(picture.devicePixelRatio(), scale) << name;
        EXPECT_EQ(picture.size(), Child<QLabel>(name)->size() * scale) << name;
    }
    if (scale < 2) return;
    // The squares' diagonals step by single device pixels, not by doubled ones.
    EXPECT_GT(MixedBlocks(board), 200);
    EXPECT_GT(MixedBlocks(Child<QLabel>("Preview")->pixmap().toImage()), 100);
    EXPECT_GT(MixedBlocks(Child<QLabel>("Thumbnail")->pixmap().toImage()), 50);
}

// The window's own widgets each wholly inside it, none over another.
void ExpectLaidOutApart(const QWidget& window) {
    std::vector<QWidget*> shown;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible()) shown.push_back(child);
    ASSERT_GT(shown.size(), 20u);
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(window.rect().contains(shown[i]->geometry()))
            << shown[i]->objectName().toStdString();
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << shown[i]->objectName().toStdString() << " over "
                << shown[j]->objectName().toStdString();
    }
}

TEST_F(DesignerTest, SmallestWindowFitsASmallScreenWithTheWholeListBesideTheBoard) {
    // 1366 x 768 at a scale of 1.25, less a frame and a panel.
    EXPECT_LE(form->minimumWidth(), 1080);
    EXPECT_LE(form->minimumHeight(), 560);
    form->resize(form->minimumSize());
    // A path longer than two lines of the status line, without a space in it.
    const QByteArray deep = QByteArray(200, 'n') + "/" + QByteArray(200, 'n');
    ASSERT_TRUE(QDir(folder.path()).mkpath(deep));
    WriteFile(deep + "/two.txt",
              Line("A name far too long for a narrow list", LyingBar) + Line("Square", BigSquare));
    ASSERT_TRUE(form->OpenCollection(Path(deep + "/two.txt")));
    auto* status = Child<QLabel>("StatusLine");
    // Every line the label lays its words out in is shown; the path alone takes three.
    EXPECT_TRUE(QTest::qWaitFor([status] {
        return status->height() >= status->heightForWidth(status->width());
    })) << status->height();
    EXPECT_GE(status->height(), 4 * status->fontMetrics().lineSpacing());
    ExpectLaidOutApart(*form);
    auto* list = Child<QListWidget>("FigureList");
    list->doItemsLayout(); // the view lays its items out lazily
    // The long name gives way, not the thumbnails: nothing to scroll sideways.
    for (int row = 0; row < 2; ++row)
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))));
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
}

TEST_F(DesignerTest, AFontHalfAgainAsLargeGrowsButtonsAndLinesInOneSizeOverNothing) {
    const qreal larger = QApplication::font().pointSizeF() * 1.5;
    qApp->setStyleSheet(QString("* { font-size: %1pt; }").arg(larger));
    struct Restore {
        ~Restore() { qApp->setStyleSheet({}); }
    } restore;
    Start(1); // the longer German texts
    ASSERT_TRUE(form->LayArrangement(ThreeAndOne));
    WaitForVerdict();
    form->resize(form->minimumSize());
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        EXPECT_EQ(button->font().pointSizeF(), larger) << button->objectName().toStdString();
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 16)
            << button->objectName().toStdString();
    }
    for (int i = 0; i < RuleIdCount; ++i) {
        auto* line = Child<QLabel>(QString("RuleLabel%1").arg(i).toLatin1());
        EXPECT_EQ(line->font().pointSizeF(), larger) << i;
        const QRect words = line->fontMetrics().boundingRect(QRect(0, 0, line->width(), 1000),
                                                             Qt::TextWordWrap, line->text());
        EXPECT_LE(words.height(), line->height() - 4) << i;
    }
    ExpectLaidOutApart(*form);
}

TEST_F(DesignerTest, RuleLinesAndButtonsReadUnderADarkSchemeWithALargerFont) {
    const QPalette palette = QApplication::palette();
    const QFont font = QApplication::font();
    QApplication::setPalette(DarkPalette());
    QFont larger = font;
    larger.setPointSizeF(font.pointSizeF() * 1.6);
    QApplication::setFont(larger);
    Start();
    ASSERT_TRUE(form->LayArrangement(ThreeAndOne)); // passed, failed and not checked lines
    WaitForVerdict();
    std::set<RuleState> states;
    for (int i = 0; i < RuleIdCount; ++i) {
        states.insert(form->Verdict().Results[i].State);
        auto* line = Child<QLabel>(QString("RuleLabel%1").arg(i).toLatin1());
        EXPECT_GE(TextContrast(line->grab().toImage()), 4.5) << i;
        // Its words stay inside the line's own room, clear of the next line.
        const QRect words = line->fontMetrics().boundingRect(QRect(0, 0, line->width(), 1000),
                                                             Qt::TextWordWrap, line->text());
        EXPECT_LE(words.height(), line->height() - 4) << i;
    }
    EXPECT_EQ(states.size(), 3u);
    for (QPushButton* button : form->findChildren<QPushButton*>())
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 8)
            << button->objectName().toStdString();
    QApplication::setFont(font);
    QApplication::setPalette(palette);
}

// Passed stays green, failed red and unchecked grey, whatever the window's colour:
// made readable, none of them may end as the black or white of the others.
TEST_F(DesignerTest, RuleColoursKeepTheirHueOnLightGreyAndDarkWindows) {
    const QPalette palette = QApplication::palette();
    QPalette light = palette, grey = palette;
    light.setColor(QPalette::Window, QColor(239, 239, 239));
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    for (const QPalette& scheme : {light, grey, DarkPalette()}) {
        const QColor window = scheme.color(QPalette::Window);
        QApplication::setPalette(scheme);
        Start();
        ASSERT_TRUE(form->LayArrangement(ThreeAndOne));
        WaitForVerdict();
        std::map<RuleState, QColor> colours;
        for (int i = 0; i < RuleIdCount; ++i) {
            const QColor colour = Child<QLabel>(QString("RuleLabel%1").arg(i).toLatin1())
                                      ->palette()
                                      .color(QPalette::WindowText);
            colours[form->Verdict().Results[i].State] = colour;
            EXPECT_GE(ContrastRatio(colour, window), ReadableContrast)
                << window.name().toStdString();
        }
        ASSERT_EQ(colours.size(), 3u);
        const QColor passed = colours[RuleState::Passed], failed = colours[RuleState::Failed],
                     pending = colours[RuleState::NotChecked];
        const std::string on = " on " + window.name().toStdString();
        EXPECT_TRUE(passed.green() > passed.red() && passed.green() > passed.blue())
            << passed.name().toStdString() << on;
        EXPECT_TRUE(failed.red() > failed.green() && failed.red() > failed.blue())
            << failed.name().toStdString() << on;
        EXPECT_TRUE(pending.red() == pending.green() && pending.green() == pending.blue())
            << pending.name().toStdString() << on;
        for (const QColor& colour : {passed, failed, pending}) {
            EXPECT_NE(colour, QColor(Qt::black)) << on;
            EXPECT_NE(colour, QColor(Qt::white)) << on;
        }
    }
    QApplication::setPalette(palette);
}

// Every thread's processor time: the judge's work after a stop shows here, however
// busy the machine is.
double ProcessCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

} // namespace

TEST_F(DesignerTest, ClosingMidJudgeStopsTheSearchAtOnce) {
    // The shipped collection takes seconds to judge from nothing.
    ASSERT_TRUE(form->OpenCollection(FIGURE_SOURCE));
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QThreadPool::globalInstance()->activeThreadCount() > 0; }, 5000));
    ASSERT_FALSE(form->Judged());
    // The work done after the close is held to 100 ms of processor time, which a
    // machine under load cannot stretch; the wall clock only to what load allows.
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ProcessCpuMs();
    form->close();
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(5000));
    const double cpu = ProcessCpuMs() - cpuBefore;
    RecordProperty("stopped_after_ms", static_cast<int>(clock.elapsed()));
    RecordProperty("processor_ms_after_close", static_cast<int>(cpu));
    EXPECT_LT(cpu, 100) << "the judge went on after the close";
    EXPECT_LT(clock.elapsed(), 1000);
    QCoreApplication::processEvents(); // the stopped run ends: no verdict from it
    EXPECT_FALSE(form->Judged());
    form.reset();
}

TEST_F(DesignerTest, AChangedFigureStopsTheSearchForTheOldOneAndJudgesTheNew) {
    ASSERT_TRUE(form->OpenCollection(FIGURE_SOURCE));
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QThreadPool::globalInstance()->activeThreadCount() > 0; }, 5000));
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ProcessCpuMs();
    ASSERT_TRUE(form->LayArrangement(LyingBar));
    // The old search ends without the window's help; the new one waits for its event.
    // Held to processor time, as at the close: a loaded machine stretches the wall clock.
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(5000));
    RecordProperty("stopped_after_ms", static_cast<int>(clock.elapsed()));
    EXPECT_LT(ProcessCpuMs() - cpuBefore, 100) << "the old search went on";
    EXPECT_FALSE(form->Judged());
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return QThreadPool::globalInstance()->activeThreadCount() > 0; }, 5000));
    EXPECT_FALSE(form->Judged()) << "a stopped run gave a verdict";
    form.reset();
}

TEST_F(DesignerTest, TheShippedCollectionOpensWithItsNames) {
    // As installed: the record file with its source beside it.
    ASSERT_TRUE(QFile::copy(FIGURE_SOURCE, Path("figures.txt")));
    QFile source(FIGURE_SOURCE);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    FigureSource parsed;
    std::string error;
    ASSERT_TRUE(ParseFigureSource(source.readAll().toStdString(), parsed, error)) << error;
    QByteArray records;
    for (const SourceFigure& figure : parsed.Figures)
        records.append(reinterpret_cast<const char*>(figure.Record.data()), FigureRecordSize);
    WriteFile("ftrg2.dat", records);
    ASSERT_TRUE(form->OpenCollection(Path("ftrg2.dat")));
    ASSERT_EQ(form->Collection().Figures.size(), 222u);
    EXPECT_EQ(form->Collection().Figures[0].Name, parsed.Figures[0].Name);
    EXPECT_EQ(form->Collection().Figures[221].Name, parsed.Figures[221].Name);
    EXPECT_NE(parsed.Figures[0].Name, "Figure 1");
    // Another record file beside the same source keeps numbered names.
    records.replace(0, FigureRecordSize, records.mid(FigureRecordSize, FigureRecordSize));
    WriteFile("ftrg2.dat", records);
    ASSERT_TRUE(form->OpenCollection(Path("ftrg2.dat")));
    EXPECT_EQ(form->Collection().Figures[0].Name, "Figure 1");
}
