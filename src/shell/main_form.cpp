#include "shell/main_form.h"

#include "board/scaling.h"
#include "dialogs/pattern.h"
#include "dialogs/select.h"
#include "dialogs/statis.h"
#include "dialogs/yesno.h"
#include "game/collection_path.h"
#include "game/progress_map.h"
#include "game/saved_game.h"
#include "shell/board_box.h"
#include "shell/editions.h"
#include "shell/freeware.h"
#include "shell/hint.h"
#include "shell/install_paths.h"
#include "shell/maker_links.h"
#include "shell/qt_translations.h"
#include "shell/tongdlg.h"
#include "ui/dialog_seam.h"
#include "ui/pictures.h"
#include "ui/texts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeySequence>
#include <QPainter>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <optional>

namespace {

struct ToolButtonLayout {
    QToolButton* TMainForm::*button;
    int left;
    const char* picture;
    const char* german;
    const char* english;
    const char* shortcut;   // portable text, empty for none
    const char* nameGerman; // what a screen reader calls the button
    const char* nameEnglish;
};

// In toolbar order. The language button speaks the other language.
const ToolButtonLayout ToolButtons[] = {
    {&TMainForm::NewgameBtn, 4, "newgame", "Ich fang ein neues Spiel an.",
     "I want to play a new game.", "Ctrl+N", "Neues Spiel", "New game"},
    {&TMainForm::LoadBtn, 28, "load", "Ich hol mir einen alten Spielstand.",
     "I want to continue an old game.", "Ctrl+O", "Spiel laden", "Open game"},
    {&TMainForm::SaveBtn, 52, "save", "Einmal zu oft gesichert ist besser als einmal zuwenig",
     "Save often, save always.", "Ctrl+S", "Spiel speichern", "Save game"},
    {&TMainForm::SoundBtn, 76, "sound", "Die Geräusche mag ich nicht immer.",
     "I dont like the sound always.", "", "Geräusche", "Sound"},
    {&TMainForm::StatBtn, 100, "stat", "Mal sehen, was ich bisher schon geschafft habe.",
     "Let me see, what I've solved until now.", "Ctrl+T", "Statistik", "Statistics"},
    {&TMainForm::SelectBtn, 124, "select", "Ich probier ein anderes Trigonet.",
     "I try another Trigonet.", "", "Trigonet wählen", "Select Trigonet"},
    {&TMainForm::TipBtn, 148, "tip", "Ich lass mir unter die Arme greifen.",
     "I need a little help.", "Ctrl+H", "Hilfe", "Help"},
    {&TMainForm::UpBtn, 180, "up", "Ich nehm' das nächste Trigonet.", "I take the next Trigonet.",
     "Ctrl+PgDown", "Nächstes Trigonet", "Next Trigonet"},
    {&TMainForm::DownBtn, 204, "down", "Ich nehm' das vorige Trigonet.",
     "I take the previous Trigonet.", "Ctrl+PgUp", "Voriges Trigonet", "Previous Trigonet"},
    {&TMainForm::ExitBtn, 236, "exit", "Ich hab genug!", "I have enough!", "Ctrl+Q", "Beenden",
     "Quit"},
    {&TMainForm::TongueBtn, 260, "tongue", "I don't speak german.", "Ich spreche nicht englisch.",
     "", "Sprache", "Language"},
    {&TMainForm::RulesBtn, 285, "rules", "Worum geht's da eigentlich?", "What's to do here?", "F1",
     "Spielregeln", "Rules"},
    {&TMainForm::InfoBtn, 309, "info", "Wer hat dieses Spiel nur verbrochen?",
     "Who did this FRIBO GAME?", "", "Info", "About"},
    {&TMainForm::UndoBtn, 340, "undo", "Den letzten Zug nehm' ich zurück.",
     "I take the last move back.", "Ctrl+Z", "Zug zurücknehmen", "Undo"},
    {&TMainForm::RedoBtn, 364, "redo", "Den Zug mach' ich doch noch einmal.",
     "I make that move again.", "Ctrl+Shift+Z", "Zug wiederholen", "Redo"},
};

constexpr int ButtonSize = 25;
constexpr int ButtonTop = 4;

const char* const BannerGerman =
    "Klicke hier um die Fribo Games Homepage zu besuchen.     Die Fribo Games - eine Reihe von "
    "Denkspielen für alle von 8 bis 88.     Die legendären Fribo Games warten auf Dich.     ";
const char* const BannerEnglish =
    "Click here do visit the Fribo Bytes Homepage.     The Fribo Games - a series of non violent "
    "games for everyone between 8 and 88.     The legendary Fribo Games are waiting for you.     ";

// The toolbar's pictures as the build drew them from their SVGs, for the usual
// scales: parsing the SVGs instead would take the first frame longer than all
// the rest it shows.
QIcon ToolbarIcon(const char* picture) {
    return ReadyDrawnIcon(QString(":/toolbar/%1").arg(picture), {TRIGONET_TOOLBAR_SIZES});
}

QString FromPath(const std::string& path) {
    return QString::fromStdString(path);
}

QString ShownHint(const QString& hint, const QKeySequence& shortcut) {
    return QString("%1 (%2)").arg(hint, shortcut.toString(QKeySequence::NativeText));
}

} // namespace

TMainForm::TMainForm(const QString& programDir, const QString& iniPath,
                     std::unique_ptr<CueOutput> soundOutput)
    : box(new BoardBox(game, this)), game(*this, *box), ini(iniPath),
      waves(soundOutput ? std::move(soundOutput) : MakeAudioOutput()),
      homeLink(QUrl(MakerHomepage())), programDir(programDir), placement(ini) {
    setObjectName("MainForm");
    setWindowTitle("Fribo Trigonet");
    back = ReadPng(":/textures/marble.png");

    ToolPanel = new QFrame(this);
    ToolPanel->setObjectName("ToolPanel");
    ToolPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ToolPanel->setAutoFillBackground(true);
    BuildToolbar();
    box->setObjectName("box");
    box->DeferCanvas();
    banner = new Banner(this);
    banner->setObjectName("Banner");
    connect(banner, &Banner::clicked, this, &TMainForm::FriboBtnClick);

    setMinimumSize(MinClientWidth, MinClientHeight);
    resize(DesignWidth, DesignHeight);
}

TMainForm::~TMainForm() {
    pattern.reset();
    if (placementRestored) placement.Store(this);
}

void TMainForm::BuildToolbar() {
    for (const ToolButtonLayout& entry : ToolButtons) {
        auto* button = new QToolButton(ToolPanel);
        button->setAutoRaise(true); // flat until the pointer is over it
        button->setGeometry(entry.left, ButtonTop, ButtonSize, ButtonSize);
        button->setIconSize(QSize(18, 18));
        if (QIcon icon = ToolbarIcon(entry.picture); !icon.isNull())
            button->setIcon(icon);
        else
            button->setText(QString(entry.picture).left(1).toUpper());
        if (*entry.shortcut) button->setShortcut(QKeySequence(entry.shortcut));
        button->installEventFilter(this); // the hint names the shortcut
        this->*entry.button = button;
    }
    SoundBtn->setCheckable(true);
    connect(SoundBtn, &QToolButton::toggled, this, [this](bool down) { waves.SetOn(down); });
    connect(NewgameBtn, &QToolButton::clicked, this, &TMainForm::NewgameBtnClick);
    connect(LoadBtn, &QToolButton::clicked, this, &TMainForm::LoadBtnClick);
    connect(SaveBtn, &QToolButton::clicked, this, &TMainForm::SaveBtnClick);
    connect(StatBtn, &QToolButton::clicked, this, &TMainForm::StatBtnClick);
    connect(SelectBtn, &QToolButton::clicked, this, &TMainForm::SelectBtnClick);
    connect(TipBtn, &QToolButton::clicked, this, &TMainForm::TipBtnClick);
    connect(UpBtn, &QToolButton::clicked, this, &TMainForm::UpBtnClick);
    connect(DownBtn, &QToolButton::clicked, this, &TMainForm::DownBtnClick);
    connect(ExitBtn, &QToolButton::clicked, this, &TMainForm::ExitBtnClick);
    connect(TongueBtn, &QToolButton::clicked, this, &TMainForm::TongueBtnClick);
    connect(RulesBtn, &QToolButton::clicked, this, &TMainForm::rules);
    connect(InfoBtn, &QToolButton::clicked, this, &TMainForm::info);
    connect(UndoBtn, &QToolButton::clicked, this, &TMainForm::UndoBtnClick);
    connect(RedoBtn, &QToolButton::clicked, this, &TMainForm::RedoBtnClick);
    connect(box, &BoardBox::Happened, this, &TMainForm::ActOn);
}

bool TMainForm::FormCreate() {
    GameData& data = game.data;
    FirstActivation = true;
    data.ProgramDir = QDir::toNativeSeparators(QDir(programDir).absolutePath() + '/').toStdString();
    game.random.seed(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    data.Language = ini.Tongue();
    UseQtTranslation(data.Language);

    collections.clear();
    if (const std::string shipped = FirstExistingPath(CollectionCandidates(data.ProgramDir));
        !shipped.empty())
        collections.push_back({shipped, true});
    ListPersonalCollections();
    // The player's choice of the last run while it is there, else the shipped
    // collection, else the first that can be read. An empty collection leaves
    // nothing to play: the same end as a missing one.
    const std::string chosen = ini.Collection();
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(collections.size()); ++i)
        if (!chosen.empty() && !collections[i].Shipped && collections[i].Path == chosen)
            order.insert(order.begin(), i);
        else
            order.push_back(i);
    const auto loaded = std::find_if(order.begin(), order.end(), [&](int i) {
        return LoadCollection(collections[i].Path, data) == CollectionResult::Loaded;
    });
    if (loaded == order.end()) {
        DialogSeam::Box(this, DialogSeam::BoxKind::Error,
                        Text(data.Language,
                             "Datei FTRG2.DAT konnte nicht gefunden werden. Programm wird "
                             "abgebrochen.",
                             "Can't find file FTRG2.DAT. Program aborted."));
        return false;
    }
    currentCollection = *loaded;

    data.UntaggedOrigin = SecondEditionShapes;
    data.RedrawnShapes = RedrawnShapes;
    waves.SetOn(ini.Sound());
    SoundBtn->setChecked(waves.IsOn()); // the button shows what the cues know
    data.CurrentFigure = ClampFigureNumber(ini.Level(), data.FigureCount);
    data.SaveFileName = ini.SaveFile();
    data.Progress.fill(0);
    const PathCheck check = CheckSavedGamePath(data.SaveFileName);
    if (!data.SaveFileName.empty() && check.Problem != PathProblem::None &&
        check.Problem != PathProblem::Missing) {
        // It stays the current game, like a missing one: the next save says why it fails.
        DialogSeam::Box(
            this, DialogSeam::BoxKind::Error,
            FromPath(UnusableSavedGameMessage(data.SaveFileName, check, data.Language)));
    } else if (FileExists(data.SaveFileName) && !ReadSavedGame(data.SaveFileName)) {
        // Ending here would lock the player out at every start: go on with a new
        // game instead, and leave the file as it is.
        DialogSeam::Box(this, DialogSeam::BoxKind::Error,
                        Text(data.Language, "Fehler beim Laden des Spiels ",
                             "Error occured while loading file ") +
                            FromPath(data.SaveFileName) + "!");
        data.Progress.fill(0);
        data.SaveFileName.clear();
    }
    data.Dirty = false;
    SetupFigure(game);
    UpdateUndoButtons();
    banner->Start();
    return true;
}

bool TMainForm::ReadSavedGame(const std::string& path) {
    return ReadGameFile(path, game.data, MaxFigures, startMapping);
}

void TMainForm::CreateSecondaryWindows() {
    if (pattern) return;
    // None of this is in the first frame. The board's canvas takes fresh memory
    // as large as the window's; the clips open the sound library; a hand set
    // before the window is mapped is looked up in the desktop's cursor theme
    // while it is.
    box->MakeCanvas();
    waves.LoadClips();
    box->RegisterCursors();
    box->setCursor(Qt::PointingHandCursor);
    banner->setCursor(Qt::PointingHandCursor);
    // Drawn at the window manager's sizes from the SVG, it would cost the
    // first frame more than the board.
    if (QFile::exists(":/icons/program.svg")) setWindowIcon(QIcon(":/icons/program.svg"));
    pattern = std::make_unique<TPatForm>(game.data, ini, this);
    DialogSeam::KeepOverParent(pattern.get()); // a tool window of the main window
    pattern->show();
    pattern->Refresh();
    // The dialogs copy the window's icon, which is set by now.
    selectDlg = new TSelectDlg(game.data, this);
    selectDlg->SetCollections({[this](int language) { return CollectionNames(language); },
                               [this] { return currentCollection; },
                               [this](int index) { return ChooseCollection(index); }});
    statDlg = new TStatDlg(game.data, this);
    yesNo = new TYesNoDlg(game.data, this);
    infoDlg = new TFreewareDlg(game.data, this);
    languageDlg = new TTongueDlg(game.data, this);
    rulesDlg = new THintDlg(game.data, this);
}

void TMainForm::ShowAtPlacement() {
    placement.Restore(this);
    placementRestored = true;
    show();
    raise();
    activateWindow();
    box->setFocus(); // the keys play on the board from the start
    // A Wayland compositor may keep the focus where it was, and then the window
    // is never activated: the first-start questions wait only until it is on
    // the screen, so that they can stand over it.
    if (QWindow* handle = windowHandle()) {
        if (handle->isExposed())
            QTimer::singleShot(0, this, &TMainForm::FormActivate);
        else
            handle->installEventFilter(this);
    }
}

bool TMainForm::event(QEvent* event) {
    // An activation before the first exposure waits for it: the first frame
    // comes before anything else is made.
    if (event->type() == QEvent::WindowActivate && windowHandle() && windowHandle()->isExposed())
        FormActivate();
    return QWidget::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* button = qobject_cast<QToolButton*>(watched);
        if (button && !button->shortcut().isEmpty() && !button->toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               ShownHint(button->toolTip(), button->shortcut()), button);
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        // A Wayland compositor stacks the window it mapped last on top, and no
        // client may raise its own: the target window, mapped before this one,
        // is mapped again so that it stands over the board.
        if (QGuiApplication::platformName().startsWith("wayland") && pattern &&
            pattern->isVisible()) {
            pattern->hide();
            pattern->show();
        }
        // After the exposure has been served: a modal question started inside it
        // would hold up the window's first paint, and so would making the
        // target window and the dialogs, which takes longer than the paint.
        QTimer::singleShot(0, this, &TMainForm::FormActivate);
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::FormActivate() {
    CreateSecondaryWindows();
    if (!FirstActivation) return;
    FirstActivation = false;
    if (game.data.Language == -1) DialogSeam::Exec(languageDlg);
    ApplyTexts();
    info();
    if (const std::string moved = MovedProgressSentence(startMapping, game.data.Language);
        !moved.empty())
        ReportMovedProgress(moved);
}

void TMainForm::ApplyTexts() {
    const int language = game.data.Language;
    UseQtTranslation(language);
    for (const ToolButtonLayout& entry : ToolButtons) {
        QToolButton* button = this->*entry.button;
        const QString hint = Text(language, entry.german, entry.english);
        button->setToolTip(hint);
        button->setAccessibleName(Text(language, entry.nameGerman, entry.nameEnglish));
        button->setAccessibleDescription(
            button->shortcut().isEmpty() ? hint : ShownHint(hint, button->shortcut()));
    }
    setAccessibleName("Fribo Trigonet");
    setAccessibleDescription(Text(language, "Das Legespiel mit acht Dreiecken.",
                                  "The laying puzzle of eight triangles."));
    box->setAccessibleName(Text(language, "Spielfeld", "Board"));
    struct DialogName {
        QWidget* dialog;
        const char *german, *english, *germanDescription, *englishDescription;
    };
    const DialogName dialogs[] = {
        {pattern.get(), "Vorlage", "Target figure", "Die Figur, die Du nachlegen sollst.",
         "The figure to copy."},
        {selectDlg, "Trigonet wählen", "Select Trigonet", "Ein Klick wählt ein Trigonet.",
         "A click chooses a Trigonet."},
        {statDlg, "Statistik", "Statistics", "Was bisher geschafft ist.",
         "What has been solved so far."},
        {yesNo, "Nachricht", "Message", "Eine Frage oder Nachricht des Spiels.",
         "A question or message of the game."},
        {infoDlg, "Freeware-Info", "Freeware info", "Wer das Spiel gemacht hat.",
         "Who made the game."},
        {languageDlg, "Sprache", "Language", "Deutsch oder Englisch.", "German or English."},
        {rulesDlg, "Spielregeln", "Rules", "Die Regeln und die Tasten des Spiels.",
         "The rules and the keys of the game."},
    };
    for (const DialogName& d : dialogs)
        if (d.dialog) {
            d.dialog->setAccessibleName(Text(language, d.german, d.english));
            d.dialog->setAccessibleDescription(
                Text(language, d.germanDescription, d.englishDescription));
        }
    DescribeBoard();
    banner->SetLine(Text(language, BannerGerman, BannerEnglish));
    saved.UpdateTitle();
}

void TMainForm::AskToClose() {
    if (!closing) close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (closing) return event->accept();
    if (!FormCloseQuery()) return event->ignore();
    closing = true;
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery() {
    CreateSecondaryWindows(); // a close asked for before they were made
    const ModalResult answer = yesNo->ShowModal(MessageKind::EndGame);
    info(); // whatever the answer
    return answer == ModalResult::Yes;
}

bool TMainForm::FormClose() {
    GameData& data = game.data;
    saved.SaveIfDirty(); // first: the save dialog may still change the game's name
    ini.SetSound(waves.IsOn());
    ini.SetLevel(data.CurrentFigure);
    ini.SetTongue(data.Language);
    ini.SetSaveFile(data.SaveFileName);
    return ini.Write();
}

void TMainForm::resizeEvent(QResizeEvent*) {
    ToolPanel->setGeometry(0, 0, width(), ToolHeight);
    banner->setGeometry(0, height() - BannerHeight, width(), BannerHeight);
    const BoardGeometry g = ScaleBoard(width(), height(), ToolHeight, BannerHeight);
    box->setGeometry(g.Left, g.Top, g.Width, g.Height);
    box->SetUnit(g.Unit);
    update();
}

void TMainForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // From 1.5 up the fine tile, one of its pixels to a screen pixel at 2: the
    // plain one would be blown up into blocks.
    const bool dense = devicePixelRatioF() >= 1.5;
    if (dense && fineBack.isNull()) { // read only where it is shown
        fineBack = ReadPng(":/textures/marble@2x.png");
        fineBack.setDevicePixelRatio(2);
    }
    const QPixmap& tile = dense && !fineBack.isNull() ? fineBack : back;
    if (tile.isNull())
        painter.fillRect(rect(), QColor(168, 168, 168));
    else
        painter.drawTiledPixmap(rect(), tile);

    painter.setBrush(Qt::NoBrush);
    const QRect b = box->geometry();
    const int l = b.left(), t = b.top(), w = b.width(), h = b.height();
    // Rectangles from (x1, y1) to (x2, y2), the right and bottom edges exclusive.
    auto frame = [&](int x1, int y1, int x2, int y2, int penWidth) {
        painter.setPen(QPen(Qt::black, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    };
    frame(l - 4, t - 4, l + w + 4, t + h + 4, 3);
    frame(l - 7, t - 7, l + w + 7, t + h + 7, 1);
    frame(l - 1, t - 1, l + w + 1, t + h + 1, 1);
    frame(0, ToolHeight, width(), height(), 1);
}

void TMainForm::ActOn(const Outcome& outcome) {
    for (int k = 0; k < outcome.CueCount; ++k)
        PlayCue(outcome.Cues[k]);
    if (outcome.Redraw) box->boxPaint();
    UpdateUndoButtons();
    DescribeBoard();
    if (!outcome.Solved) return;
    // After the event that solved it has returned: the message's modal loop
    // must not run inside a mouse or key event.
    const int figure = game.data.CurrentFigure;
    QTimer::singleShot(0, this, [this, figure] {
        if (game.data.CurrentFigure != figure || game.State != gsSolved) return;
        AnnounceSolved();
        RefreshTarget();
    });
}

void TMainForm::UpdateUndoButtons() {
    const bool playing = game.State == gsPlaying;
    UndoBtn->setEnabled(playing && CanUndo(game.history, game.board));
    RedoBtn->setEnabled(playing && CanRedo(game.history, game.board));
}

void TMainForm::DescribeBoard() {
    const int language = game.data.Language;
    QString text;
    if (game.State == gsSolved)
        text = Text(language, "Trigonet %1 ist gelöst.", "Trigonet %1 is solved.")
                   .arg(game.data.CurrentFigure);
    else if (game.State == gsGivenUp)
        text = Text(language, "Trigonet %1 ist aufgegeben.", "Trigonet %1 is given up.")
                   .arg(game.data.CurrentFigure);
    else if (const int t = game.board.Selected) {
        const Placement& p = game.board.Triangles[t];
        text = Text(language, "Dreieck %1 gehalten, Spalte %2, Zeile %3, Drehung %4 von 16.",
                    "Triangle %1 held, column %2, row %3, turn %4 of 16.")
                   .arg(t)
                   .arg(p.Col)
                   .arg(p.Row)
                   .arg(p.Orient);
    } else {
        text = Text(language, "Trigonet %1: kein Dreieck gehalten. N nimmt das nächste.",
                    "Trigonet %1: no triangle held. N picks up the next one.")
                   .arg(game.data.CurrentFigure);
    }
    if (box->accessibleDescription() != text) box->setAccessibleDescription(text);
}

void TMainForm::PlayCue(Cue cue) {
    waves.PlayCue(static_cast<int>(cue));
}

void TMainForm::AnnounceSolved() {
    if (yesNo) yesNo->ShowModal(MessageKind::Won);
}

void TMainForm::RefreshTarget() {
    if (pattern) pattern->Refresh();
}

void TMainForm::EnableHelp(bool enabled) {
    TipBtn->setEnabled(enabled);
}

void TMainForm::RepaintFigure() {
    box->boxPaint();
    update();
    RefreshTarget();
    UpdateUndoButtons();
    DescribeBoard();
}

namespace {

DialogSeam::FileRequest GameFileRequest(bool save, const std::string& startPath) {
    DialogSeam::FileRequest request;
    request.save = save;
    request.startPath = FromPath(startPath);
    request.filter = "Fribo Trigonet (*.ftg)";
    request.defaultSuffix = "ftg";
    return request;
}

} // namespace

std::string TMainForm::ChooseSaveFile(const std::string& start) {
    // An installed game's folder is not the player's to write in.
    const std::string folder =
        start == game.data.ProgramDir ? SaveDialogStartFolder(start).toStdString() : start;
    return DialogSeam::AskFile(this, GameFileRequest(true, folder)).toStdString();
}

std::string TMainForm::ChooseOpenFile(const std::string& start) {
    return DialogSeam::AskFile(this, GameFileRequest(false, start)).toStdString();
}

bool TMainForm::ConfirmOverwrite(const std::string& name) {
    return Answered(
        DialogSeam::Box(this, DialogSeam::BoxKind::Warning,
                        Text(game.data.Language, "Spiel %1 existiert bereits. Überschreiben?",
                             "Game %1 already exists. Overwrite?")
                            .arg(FromPath(name))),
        ModalResult::Yes);
}

bool TMainForm::ConfirmNewGame() {
    CreateSecondaryWindows();
    return yesNo->ShowModal(MessageKind::GiveUp) == ModalResult::Yes;
}

void TMainForm::ReportCannotSave(const std::string& path, int error) {
    DialogSeam::Box(this, DialogSeam::BoxKind::Error,
                    FromPath(CannotSaveMessage(path, error, game.data.Language)));
}

void TMainForm::ReportCannotLoad(const std::string& name) {
    DialogSeam::Box(this, DialogSeam::BoxKind::Error,
                    Text(game.data.Language, "Fehler beim Laden des Spiels %1!",
                         "Error occured while loading file %1!")
                        .arg(FromPath(name)));
}

void TMainForm::ReportMovedProgress(const std::string& sentence) {
    DialogSeam::Box(this, DialogSeam::BoxKind::Information, FromPath(sentence));
}

void TMainForm::ShowTitle(const std::string& caption) {
    setWindowTitle(FromPath(caption));
}

void TMainForm::ShowFigureAnew() {
    SetupFigure(game);
    RepaintFigure();
}

void TMainForm::StatBtnClick() {
    CreateSecondaryWindows();
    DialogSeam::Exec(statDlg);
}

void TMainForm::ListPersonalCollections() {
    // The one played stays listed, also when its file has gone since it was read.
    const std::optional<CollectionEntry> played =
        currentCollection < static_cast<int>(collections.size())
            ? std::optional(collections[currentCollection])
            : std::nullopt;
    std::erase_if(collections, [](const CollectionEntry& entry) { return !entry.Shipped; });
    for (const std::string& own : PersonalCollections())
        collections.push_back({own, false});
    if (!played) return;
    const auto same = [&](const CollectionEntry& entry) { return entry.Path == played->Path; };
    if (std::find_if(collections.begin(), collections.end(), same) == collections.end())
        collections.push_back(*played);
    currentCollection = static_cast<int>(
        std::find_if(collections.begin(), collections.end(), same) - collections.begin());
}

void TMainForm::SelectBtnClick() {
    CreateSecondaryWindows();
    // A collection installed from the designer while the game runs is offered at once.
    ListPersonalCollections();
    // The dialog has set CurrentFigure when it ends with 1.
    if (Answered(DialogSeam::Exec(selectDlg), ModalResult::Ok)) ShowFigureAnew();
}

QStringList TMainForm::CollectionNames(int language) const {
    QStringList names;
    for (const CollectionEntry& entry : collections) {
        const QFileInfo file(FromPath(entry.Path));
        if (entry.Shipped)
            names << Text(language, "Die Figuren des Spiels", "The game's own figures");
        else if (file.fileName() == CollectionFileName)
            names << Text(language, "Meine Figuren", "My own figures");
        else
            names << file.completeBaseName();
    }
    return names;
}

int TMainForm::ChooseCollection(int index) {
    if (index < 0 || index >= static_cast<int>(collections.size()) || index == currentCollection)
        return currentCollection;
    const CollectionEntry& entry = collections[index];
    ProgressMapping mapping;
    if (!SwitchCollection(entry.Path, game.data, mapping)) {
        DialogSeam::Box(this, DialogSeam::BoxKind::Error,
                        Text(game.data.Language, "Die Figuren in %1 lassen sich nicht lesen.",
                             "Cannot read the figures in %1.")
                            .arg(QDir::toNativeSeparators(FromPath(entry.Path))));
        return currentCollection;
    }
    currentCollection = index;
    ini.SetCollection(entry.Shipped ? std::string() : entry.Path);
    ShowFigureAnew();
    UpdateUndoButtons();
    return currentCollection;
}

void TMainForm::TipBtnClick() {
    if (TakeHelp(game)) RefreshTarget();
    UpdateUndoButtons();
    DescribeBoard();
}

void TMainForm::UndoBtnClick() {
    ActOn(UndoMove(game));
}

void TMainForm::RedoBtnClick() {
    ActOn(RedoMove(game));
}

void TMainForm::UpBtnClick() {
    FigureUp(game);
    RepaintFigure();
}

void TMainForm::DownBtnClick() {
    FigureDown(game);
    RepaintFigure();
}

void TMainForm::ExitBtnClick() {
    close();
}

void TMainForm::TongueBtnClick() {
    CreateSecondaryWindows();
    DialogSeam::Exec(languageDlg);
    ApplyTexts();
}

void TMainForm::rules() {
    CreateSecondaryWindows();
    DialogSeam::Exec(rulesDlg);
}

void TMainForm::info() {
    CreateSecondaryWindows();
    DialogSeam::Exec(infoDlg);
}

void TMainForm::FriboBtnClick() {
    homeLink.Click();
}
