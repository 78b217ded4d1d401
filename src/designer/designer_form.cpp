#include "designer/designer_form.h"

#include "designer/figure_pictures.h"
#include "designer/name_dialog.h"
#include "designer/rule_texts.h"
#include "figures/figure_shape.h"
#include "figures/search_stop.h"
#include "shell/board_box.h"
#include "shell/qt_translations.h"
#include "ui/dialog_seam.h"
#include "ui/palette_colours.h"
#include "ui/texts.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPromise>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QThreadPool>

#include <cmath>

namespace {

constexpr int Unit = 7;
// A list item's thumbnail as made for the screen's pixels; its icon is the same.
constexpr int CrispThumbnailRole = Qt::UserRole + 1;
// The window as it was first drawn, at a 9-point sans with lines 14 pixels
// apart; a larger font widens the rule lines in step, so they wrap as they did.
constexpr int DrawnLineSpacing = 14;
constexpr int RuleWidth = 290;
constexpr int RuleHeight = 34;      // two lines and their gaps
constexpr int DrawnListWidth = 250; // where the screen has room for it
constexpr int Margin = 8;

// A word-wrapped label as tall as its words need at the width it is shown at,
// `gap` pixels above and below them, never under `least`: the layout makes room
// rather than cut a line off. A `drawnWidth` fixes the width (widened with a
// larger font); 0 takes the width laid out and asks again when that changes.
class WrappedLine : public QLabel {
  public:
    WrappedLine(int drawnWidth, int least, int gap, QWidget* parent)
        : QLabel(parent), drawnWidth(drawnWidth), least(least), gap(gap) {
        setWordWrap(true);
        setSizePolicy(drawnWidth ? QSizePolicy::Fixed : QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override {
        const int width = Width();
        // Before it is first laid out its width is nobody's: one line then.
        const int words = width > 0 ? QLabel::heightForWidth(width) : 0;
        return {width, std::max(least, words + 2 * gap)};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The height is settled by sizeHint at the width it is given.
    bool hasHeightForWidth() const override { return false; }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        if (!drawnWidth && event->size().width() != event->oldSize().width()) updateGeometry();
    }

  private:
    int Width() const {
        if (drawnWidth)
            return std::max(drawnWidth,
                            drawnWidth * fontMetrics().lineSpacing() / DrawnLineSpacing);
        return testAttribute(Qt::WA_Resized) ? width() : 0;
    }

    int drawnWidth, least, gap;
};

// A button at least as large as the window was first drawn with, larger where
// a larger font needs more room: its text keeps clear of the edges by as much
// as the game's dialogs keep it.
class RoomyButton : public QPushButton {
  public:
    RoomyButton(QSize least, QWidget* parent) : QPushButton(parent), least(least) {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override {
        const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this);
        const int words = fontMetrics().horizontalAdvance(QString(text()).remove('&'));
        return QPushButton::sizeHint().expandedTo(least).expandedTo({words + 2 * margin + 4, 0});
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  private:
    QSize least;
};

// The list's thumbnails, each drawn pixel for pixel on whole device pixels. At
// a scale such as 1.25 an item's icon lies between device pixels and the icon
// machinery resamples it into a blur. An item with a thumbnail made at the
// screen's pixels is drawn without its icon, and the thumbnail laid into the
// icon's place.
class CrispThumbnails : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QPixmap picture = index.data(CrispThumbnailRole).value<QPixmap>();
        if (picture.isNull()) return;
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QWidget* view = option.widget;
        const QStyle* style = view ? view->style() : QApplication::style();
        const QRect place = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, view);
        // Rounded in device pixels and taken back through the painter's own
        // transform, which holds the offset at which a window's backing store
        // paints the view (a grab of the view alone has none).
        const QTransform toDevice = painter->deviceTransform();
        const QPointF corner = toDevice.map(QPointF(place.topLeft()));
        const QPointF snapped(std::round(corner.x()), std::round(corner.y()));
        if (qFuzzyCompare(picture.devicePixelRatio(), painter->device()->devicePixelRatioF()))
            painter->drawPixmap(toDevice.inverted().map(snapped), picture);
        else // made for another screen: scaled until the list is filled again
            painter->drawPixmap(place, picture);
    }

    // A long name gives way, elided, rather than widen the items past the view.
    // The room is taken as if the scroll bar were there: its coming and going
    // does not lay the items out again.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (const auto* view = qobject_cast<const QListView*>(option.widget))
            size.setWidth(std::min(size.width(), view->maximumViewportSize().width() -
                                                     view->verticalScrollBar()->sizeHint().width() -
                                                     2 * view->spacing()));
        return size;
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(CrispThumbnailRole).isNull()) return;
        option->icon = QIcon(); // the place stays, the picture is paint's
        option->decorationSize = QSize(ThumbnailWidth, ThumbnailHeight);
    }
};

std::vector<FigureRecord> RecordsOf(const DesignCollection& collection, int leaveOut = -1) {
    std::vector<FigureRecord> records;
    for (size_t i = 0; i < collection.Figures.size(); ++i)
        if (static_cast<int>(i) != leaveOut) records.push_back(collection.Figures[i].Record);
    return records;
}

// The first rule that fails, worded for a box.
QString FirstFailure(int language, const FigureVerdict& verdict) {
    for (const RuleResult& r : verdict.Results)
        if (r.State == RuleState::Failed) return RuleLine(language, r).mid(2);
    return {};
}

// The figure a failed distinctness points at, by its name in the collection.
QString OtherName(const DesignCollection& collection, const RuleResult& r) {
    if (r.Id != RuleId::Distinct || r.State != RuleState::Failed || r.Detail[0] < 0 ||
        r.Detail[0] >= static_cast<int>(collection.Figures.size()))
        return {};
    return QString::fromStdString(collection.Figures[r.Detail[0]].Name);
}

} // namespace

TDesignerForm::TDesignerForm(const QString& iniPath)
    : box(new BoardBox(game, this)), game(*this, *box), ini(iniPath) {
    setObjectName("DesignerForm");
    game.data.Language = ini.Tongue();
    UseQtTranslation(game.data.Language);
    if (QFile::exists(":/icons/designer.svg")) setWindowIcon(QIcon(":/icons/designer.svg"));

    box->setObjectName("board");
    box->setFixedSize(Unit * GridColumns + 1, Unit * GridRows + 1);
    box->RegisterCursors();
    connect(box, &BoardBox::HoldChanged, this, [this] {
        message.clear();
        Judge();
    });
    connect(box, &BoardBox::Happened, this, [this](const Outcome& outcome) {
        for (int k = 0; k < outcome.CueCount; ++k)
            PlayCue(outcome.Cues[k]);
    });
    connect(&judging, &QFutureWatcher<Judgement>::finished, this, &TDesignerForm::JudgingFinished);

    auto* rules = new QVBoxLayout;
    rules->setSpacing(2);
    for (int i = 0; i < RuleIdCount; ++i) {
        auto* label = new WrappedLine(RuleWidth, RuleHeight, 2, this);
        label->setObjectName(QString("RuleLabel%1").arg(i));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        rules->addWidget(label);
        ruleLabels[i] = label;
    }
    rules->addSpacing(4);
    preview = new QLabel(this);
    preview->setObjectName("Preview");
    preview->setFixedSize(PreviewWidth, PreviewHeight);
    thumbnail = new QLabel(this);
    thumbnail->setObjectName("Thumbnail");
    thumbnail->setFixedSize(ThumbnailWidth, ThumbnailHeight);
    auto* pictures = new QHBoxLayout;
    pictures->setSpacing(9);
    pictures->addWidget(preview, 0, Qt::AlignTop);
    pictures->addWidget(thumbnail, 0, Qt::AlignTop);
    pictures->addStretch();
    rules->addLayout(pictures);
    rules->addStretch();

    list = new QListWidget(this);
    list->setObjectName("FigureList");
    list->setIconSize(QSize(ThumbnailWidth, ThumbnailHeight));
    list->setItemDelegate(new CrispThumbnails(list));
    list->setSpacing(2);
    list->setResizeMode(QListView::Adjust); // the names fit themselves to the list's width
    // Narrowed, it keeps its thumbnails whole; the names then give way.
    list->setMinimumWidth(ThumbnailWidth + 4 * list->spacing() + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list));
    connect(list, &QListWidget::currentRowChanged, this, [this] { ShowVerdict(); });
    connect(list, &QListWidget::itemActivated, this, [this] { ListActivated(); });

    const QSize narrow(88, 27), wide(154, 27);
    restartBtn = Button("RestartBtn", narrow, &TDesignerForm::StartAgain);
    centreBtn = Button("CentreBtn", narrow, &TDesignerForm::CentreClick);
    addBtn = Button("AddBtn", narrow, &TDesignerForm::AddClick);
    replaceBtn = Button("ReplaceBtn", narrow, &TDesignerForm::ReplaceClick);
    deleteBtn = Button("DeleteBtn", narrow, &TDesignerForm::DeleteClick);
    upBtn = Button("UpBtn", narrow, &TDesignerForm::UpClick);
    downBtn = Button("DownBtn", narrow, &TDesignerForm::DownClick);
    openBtn = Button("OpenBtn", wide, &TDesignerForm::OpenClick);
    saveSourceBtn = Button("SaveSourceBtn", wide, &TDesignerForm::SaveSourceClick);
    saveRecordsBtn = Button("SaveRecordsBtn", wide, &TDesignerForm::SaveRecordsClick);
    installBtn = Button("InstallBtn", wide, &TDesignerForm::InstallClick);
    auto row = [](std::initializer_list<QPushButton*> buttons) {
        auto* layout = new QHBoxLayout;
        layout->setSpacing(4);
        for (QPushButton* button : buttons)
            layout->addWidget(button);
        layout->addStretch();
        return layout;
    };

    auto* boardSide = new QVBoxLayout;
    boardSide->setSpacing(0);
    boardSide->addWidget(box, 0, Qt::AlignLeft);
    boardSide->addSpacing(8);
    boardSide->addLayout(
        row({restartBtn, centreBtn, addBtn, replaceBtn, deleteBtn, upBtn, downBtn}));
    boardSide->addSpacing(4);
    boardSide->addLayout(row({openBtn, saveSourceBtn, saveRecordsBtn, installBtn}));
    boardSide->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    top->addLayout(boardSide);
    top->addSpacing(8);
    top->addLayout(rules);
    top->addSpacing(10);
    top->addWidget(list, 1);

    statusLine = new WrappedLine(0, 20, 0, this);
    statusLine->setObjectName("StatusLine");
    // A label one can select from breaks a long path anywhere, not past its edge.
    statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(Margin, Margin, Margin, Margin);
    window->setSpacing(6);
    window->addLayout(top, 1);
    window->addWidget(statusLine);

    lastFolder = QDir::homePath();
    ApplyTexts();
    box->SetUnit(Unit);
    StartAgain();
    // The list as wide as it was first drawn, where the screen has room. A style
    // sheet's font counts only once polished.
    ensurePolished();
    const QSize least = minimumSizeHint();
    QSize room = least + QSize(DrawnListWidth - list->minimumWidth(), 0);
    if (const QScreen* at = screen())
        room = room.boundedTo(at->availableSize() - QSize(16, 48)); // a frame
    resize(room.expandedTo(least));
}

TDesignerForm::~TDesignerForm() {
    *stopJudging = true; // the program's end waits for the thread pool
}

QPushButton* TDesignerForm::Button(const char* name, QSize least, void (TDesignerForm::*click)()) {
    auto* button = new RoomyButton(least, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, click] { (this->*click)(); });
    return button;
}

void TDesignerForm::ApplyTexts() {
    const int lang = Language();
    setWindowTitle(
        Text(lang, "Fribo Trigonet - Figurenwerkstatt", "Fribo Trigonet - Figure designer"));
    restartBtn->setText(Text(lang, "Neu legen", "Start again"));
    centreBtn->setText(Text(lang, "Zentrieren", "Centre"));
    addBtn->setText(Text(lang, "Aufnehmen...", "Add..."));
    replaceBtn->setText(Text(lang, "Ersetzen", "Replace"));
    deleteBtn->setText(Text(lang, "Löschen", "Delete"));
    upBtn->setText(Text(lang, "Nach oben", "Up"));
    downBtn->setText(Text(lang, "Nach unten", "Down"));
    openBtn->setText(Text(lang, "Öffnen...", "Open..."));
    saveSourceBtn->setText(Text(lang, "Als Text speichern...", "Save as text..."));
    saveRecordsBtn->setText(Text(lang, "Als ftrg2.dat speichern...", "Save as ftrg2.dat..."));
    installBtn->setText(Text(lang, "Für mich einrichten", "Install for me"));
    list->setToolTip(Text(lang, "Doppelklick legt die Figur aufs Brett.",
                          "A double click lays the figure on the board."));
    installBtn->setToolTip(
        Text(lang, "Das Spiel bietet diese Sammlung neben seinen eigenen Figuren zur Wahl an.",
             "The game offers this collection for choice beside its own figures."));
}

FigureRecord TDesignerForm::Arrangement() const {
    FigureRecord record{};
    for (int t = 1; t <= TriangleCount; ++t)
        record[t - 1] = game.board.Triangles[t];
    return record;
}

void TDesignerForm::Judge() {
    ++generation;
    if (judging.isRunning())
        *stopJudging = true; // JudgingFinished starts again on what lies there now
    else
        StartJudging();
    ShowVerdict();
}

void TDesignerForm::StartJudging() {
    runningGeneration = generation;
    stopJudging = std::make_shared<std::atomic<bool>>(false);
    auto promise = std::make_shared<QPromise<Judgement>>();
    judging.setFuture(promise->future());
    promise->start();
    // Copies only: the form may close while the search runs.
    QThreadPool::globalInstance()->start([promise, judge = judge, stop = stopJudging,
                                          figure = Arrangement(), records = RecordsOf(collection)] {
        const SearchStop stopWhenAsked(*stop);
        Judgement judged;
        judged.Collection = judge->JudgeCollection(records);
        // Its distinctness alone would compare against every record.
        if (!SearchStopRequested()) judged.Arrangement = judge->Judge(figure, records);
        promise->addResult(std::move(judged));
        promise->finish();
    });
}

void TDesignerForm::JudgingFinished() {
    if (runningGeneration != generation) return StartJudging(); // judged what is gone
    if (*stopJudging) return; // stopped at the close: its verdicts are incomplete
    const Judgement judged = judging.result();
    verdict = judged.Arrangement;
    collectionVerdicts = judged.Collection;
    judgedGeneration = generation;
    ShowVerdict();
    MarkList();
}

void TDesignerForm::ShowVerdict() {
    const int lang = Language();
    for (int i = 0; i < RuleIdCount; ++i) {
        const RuleResult& r = verdict.Results[i];
        const bool known = Judged();
        ruleLabels[i]->setText(known ? RuleLine(lang, r, OtherName(collection, r))
                                     : RulePending(lang, static_cast<RuleId>(i)));
        // Green, red and grey as far as the theme's background lets them read.
        const QColor colour = !known                         ? QColor(0x60, 0x60, 0x60)
                              : r.State == RuleState::Passed ? QColor(0x00, 0x60, 0x00)
                              : r.State == RuleState::Failed ? QColor(0xb0, 0x00, 0x00)
                                                             : QColor(0x60, 0x60, 0x60);
        QPalette palette = ruleLabels[i]->palette();
        palette.setColor(QPalette::WindowText,
                         ReadableOn(colour, this->palette().color(QPalette::Window)));
        ruleLabels[i]->setPalette(palette);
    }
    layout()->activate(); // the lines' room follows their words at once, not at the next paint
    const FigureRecord figure = Arrangement();
    const qreal scale = devicePixelRatioF();
    preview->setPixmap(QPixmap::fromImage(PreviewPicture(figure, scale)));
    thumbnail->setPixmap(QPixmap::fromImage(
        ThumbnailPicture(figure, static_cast<int>(collection.Figures.size()) + 1, scale)));

    const bool selected = SelectedRow() >= 0;
    const int count = static_cast<int>(collection.Figures.size());
    const QString blocker = AddBlocker();
    addBtn->setEnabled(blocker.isEmpty());
    addBtn->setToolTip(blocker.isEmpty() ? Text(lang, "Nimmt die Anordnung unter einem Namen auf.",
                                                "Adds the arrangement under a name.")
                                         : blocker);
    replaceBtn->setEnabled(!Holding() && selected && Judged());
    centreBtn->setEnabled(!Holding());
    deleteBtn->setEnabled(selected);
    upBtn->setEnabled(selected && SelectedRow() > 0);
    downBtn->setEnabled(selected && SelectedRow() < count - 1);
    saveRecordsBtn->setEnabled(count > 0);
    installBtn->setEnabled(count > 0);
    ShowStatus();
}

// Why Add is greyed, or empty when it is not.
QString TDesignerForm::AddBlocker() const {
    const int lang = Language();
    if (collection.Figures.size() >= static_cast<size_t>(MaxFigures))
        return Text(lang, "Die Sammlung ist voll: das Spiel liest 222 Figuren.",
                    "The collection is full: the game reads 222 figures.");
    if (Holding()) return Text(lang, "Erst das Dreieck ablegen.", "Put the triangle down first.");
    if (!Judged())
        return Text(lang, "Die Anordnung ist noch nicht geprüft.",
                    "The arrangement is not checked yet.");
    return FirstFailure(lang, verdict);
}

// The first figure (0-based) of the collection that breaks a rule; -1 when none
// does or the verdicts are not in yet.
int TDesignerForm::FirstBroken() const {
    if (!Judged() || collectionVerdicts.size() != collection.Figures.size()) return -1;
    for (size_t i = 0; i < collectionVerdicts.size(); ++i)
        if (!collectionVerdicts[i].Passed()) return static_cast<int>(i);
    return -1;
}

// The broken figures marked in the list, with every rule they break as a tip.
void TDesignerForm::MarkList() {
    const int lang = Language();
    for (int i = 0; i < list->count() && i < static_cast<int>(collectionVerdicts.size()); ++i) {
        QStringList broken;
        for (const RuleResult& r : collectionVerdicts[i].Results)
            if (r.State == RuleState::Failed) broken << RuleLine(lang, r, OtherName(collection, r));
        QString name = QString::fromStdString(collection.Figures[i].Name);
        list->item(i)->setText(broken.isEmpty() ? name : QString::fromUtf8("\u2718 ") + name);
        list->item(i)->setToolTip(broken.join('\n'));
    }
    ShowStatus();
}

void TDesignerForm::ShowStatus() {
    const int lang = Language();
    const int count = static_cast<int>(collection.Figures.size());
    QString summary = count == 0   ? Text(lang, "Noch keine Figur.", "No figures yet.")
                      : count == 1 ? Text(lang, "1 Figur", "1 figure")
                                   : Text(lang, "%1 Figuren", "%1 figures").arg(count);
    if (count > 0 && !Judged()) {
        summary += Text(lang, ", noch nicht geprüft.", ", not checked yet.");
    } else if (const int first = FirstBroken(); first >= 0) {
        const int broken =
            static_cast<int>(std::count_if(collectionVerdicts.begin(), collectionVerdicts.end(),
                                           [](const FigureVerdict& v) { return !v.Passed(); }));
        summary += Text(lang, ", %1 davon verletzen eine Regel; zuerst Figur %2 (%3): %4.",
                        ", %1 of them break a rule; first figure %2 (%3): %4.")
                       .arg(broken)
                       .arg(first + 1)
                       .arg(QString::fromStdString(collection.Figures[first].Name),
                            FirstFailure(lang, collectionVerdicts[first]));
    } else if (count > 0) {
        summary += count >= MaxFigures
                       ? Text(lang, ", die Sammlung ist voll.", ", the collection is full.")
                       : QStringLiteral(".");
    }
    statusLine->setText(message.isEmpty() ? summary : message + "  " + summary);
}

void TDesignerForm::FillList() {
    // The collection has changed: its verdicts are no longer those of the list.
    ++generation;
    const int keep = SelectedRow();
    list->blockSignals(true);
    list->clear();
    for (size_t i = 0; i < collection.Figures.size(); ++i) {
        const SourceFigure& figure = collection.Figures[i];
        const QPixmap picture = QPixmap::fromImage(
            ThumbnailPicture(figure.Record, static_cast<int>(i) + 1, list->devicePixelRatioF()));
        auto* item = new QListWidgetItem(QIcon(picture), QString::fromStdString(figure.Name));
        item->setData(CrispThumbnailRole, picture);
        list->addItem(item);
    }
    list->blockSignals(false);
    SelectRow(std::min(keep, list->count() - 1));
}

int TDesignerForm::SelectedRow() const {
    const int row = list->currentRow();
    return row >= 0 && row < static_cast<int>(collection.Figures.size()) ? row : -1;
}

void TDesignerForm::SelectRow(int row) {
    list->setCurrentRow(row);
    ShowVerdict();
}

void TDesignerForm::Report(const QString& text) {
    message = text;
    ShowStatus();
}

void TDesignerForm::Fail(const QString& text) {
    Report(text);
    DialogSeam::Box(this, DialogSeam::BoxKind::Error, text, IsGerman(Language()));
}

int TDesignerForm::Ask(const QString& question) {
    return DialogSeam::Box(this, DialogSeam::BoxKind::Warning, question, IsGerman(Language()));
}

void TDesignerForm::PlayCue(Cue cue) {
    if (cue == Cue::Refused)
        Report(Text(Language(), "Hier passt das Dreieck nicht hin: es läge über einem anderen.",
                    "The triangle does not fit here: it would lie over another one."));
}

bool TDesignerForm::LayArrangement(const FigureRecord& figure) {
    if (!FigureIsValid(figure)) return false;
    BoardState& board = game.board;
    board.Selected = 0;
    board.Board = {};
    for (int t = 1; t <= TriangleCount; ++t) {
        board.Triangles[t] = figure[t - 1];
        AddTriangle(board, t);
    }
    box->boxPaint();
    message.clear();
    Judge();
    return true;
}

void TDesignerForm::StartAgain() {
    BoardState& board = game.board;
    board.Selected = 0;
    board.Board = {};
    for (int t = 1; t <= TriangleCount; ++t)
        PlaceAtStart(game, t);
    box->boxPaint();
    message.clear();
    Judge();
}

void TDesignerForm::CentreClick() {
    if (Holding()) return;
    FigureRecord figure = Arrangement();
    if (CentreFigure(figure))
        LayArrangement(figure);
    else
        Fail(Text(Language(), "Diese Anordnung lässt sich nicht in die Mitte schieben.",
                  "This arrangement cannot be moved to the middle."));
}

void TDesignerForm::AddClick() {
    const int lang = Language();
    if (const QString blocker = AddBlocker(); !blocker.isEmpty()) return Fail(blocker);
    const int number = static_cast<int>(collection.Figures.size()) + 1;
    TNameDlg dialog(lang, Text(lang, "Figur %1", "Figure %1").arg(number), this);
    if (!Answered(DialogSeam::Exec(&dialog), ModalResult::Ok)) return;
    if (const QString problem = NameProblem(dialog.Name(), lang); !problem.isEmpty())
        return Fail(problem);
    collection.Figures.push_back({dialog.Name().toStdString(), Arrangement(), 0});
    dirty = true;
    FillList();
    Report(Text(lang, "Figur %1 aufgenommen.", "Figure %1 added.").arg(number));
    Judge();
}

void TDesignerForm::ReplaceClick() {
    const int row = SelectedRow();
    if (Holding() || row < 0) return;
    if (!Judged())
        return Fail(Text(Language(), "Die Anordnung ist noch nicht geprüft.",
                         "The arrangement is not checked yet."));
    // Every rule but distinctness looks at the arrangement alone; that one is
    // judged again without the figure it replaces.
    FigureVerdict judged = verdict;
    judged.Results[static_cast<int>(RuleId::Distinct)] =
        JudgeDistinct(Arrangement(), RecordsOf(collection, row));
    if (!judged.Passed()) return Fail(FirstFailure(Language(), judged));
    collection.Figures[row].Record = Arrangement();
    dirty = true;
    FillList();
    Report(Text(Language(), "Figur %1 ersetzt.", "Figure %1 replaced.").arg(row + 1));
    Judge();
}

void TDesignerForm::DeleteClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    const QString question = Text(Language(), "Figur %1 (%2) löschen?", "Delete figure %1 (%2)?")
                                 .arg(row + 1)
                                 .arg(QString::fromStdString(collection.Figures[row].Name));
    if (!Answered(Ask(question), ModalResult::Yes)) return;
    const QString name = QString::fromStdString(collection.Figures[row].Name);
    collection.Figures.erase(collection.Figures.begin() + row);
    dirty = true;
    FillList();
    Report(Text(Language(), "Figur %1 (%2) gelöscht.", "Figure %1 (%2) deleted.")
               .arg(row + 1)
               .arg(name));
    Judge();
}

void TDesignerForm::UpClick() {
    const int row = SelectedRow();
    if (row < 1) return;
    std::swap(collection.Figures[row - 1], collection.Figures[row]);
    dirty = true;
    list->setCurrentRow(row - 1);
    FillList();
    Judge();
}

void TDesignerForm::DownClick() {
    const int row = SelectedRow();
    if (row < 0 || row + 1 >= static_cast<int>(collection.Figures.size())) return;
    std::swap(collection.Figures[row], collection.Figures[row + 1]);
    dirty = true;
    list->setCurrentRow(row + 1);
    FillList();
    Judge();
}

void TDesignerForm::ListActivated() {
    const int row = SelectedRow();
    if (row < 0 || Holding()) return;
    if (!LayArrangement(collection.Figures[row].Record))
        Fail(Text(Language(), "Figur %1 liegt nicht ganz auf dem Brett.",
                  "Figure %1 does not lie wholly on the board.")
                 .arg(row + 1));
}

bool TDesignerForm::MayDiscard() {
    if (!dirty) return true;
    const QString question = Text(Language(), "Die Änderungen an der Sammlung verwerfen?",
                                  "Discard the changes to the collection?");
    return Answered(Ask(question), ModalResult::Yes);
}

bool TDesignerForm::OpenCollection(const QString& path) {
    QString error;
    DesignCollection read;
    if (!ReadDesignCollection(path, Language(), read, error)) {
        Fail(error);
        return false;
    }
    collection = std::move(read);
    dirty = false;
    lastFolder = QFileInfo(path).absolutePath();
    list->setCurrentRow(-1);
    FillList();
    Report(Text(Language(), "Geöffnet: %1.", "Opened %1.").arg(QDir::toNativeSeparators(path)));
    Judge();
    return true;
}

void TDesignerForm::OpenClick() {
    if (!MayDiscard()) return;
    DialogSeam::FileRequest request;
    request.startPath = lastFolder;
    request.filter =
        Text(Language(), "Trigonet-Figuren (*.txt *.dat)", "Trigonet figures (*.txt *.dat)");
    const QString path = DialogSeam::AskFile(this, request);
    if (!path.isEmpty()) OpenCollection(path);
}

QString TDesignerForm::AskSavePath(const QString& filter, const QString& suffix) {
    DialogSeam::FileRequest request;
    request.save = true;
    request.startPath = lastFolder;
    request.filter = filter;
    request.defaultSuffix = suffix;
    const QString path = DialogSeam::AskFile(this, request);
    if (path.isEmpty()) return {};
    if (QFileInfo::exists(path)) {
        const QString question =
            Text(Language(), "%1 gibt es schon. Überschreiben?", "%1 exists already. Overwrite?")
                .arg(QDir::toNativeSeparators(path));
        if (!Answered(Ask(question), ModalResult::Yes)) return {};
    }
    lastFolder = QFileInfo(path).absolutePath();
    return path;
}

void TDesignerForm::SaveSourceClick() {
    const QString path =
        AskSavePath(Text(Language(), "Figurenquelle (*.txt)", "Figure source (*.txt)"), "txt");
    if (path.isEmpty()) return;
    QString error;
    if (!WriteSourceFile(path, collection, Language(), error)) return Fail(error);
    dirty = false;
    Report(SavedText(path));
}

void TDesignerForm::SaveRecordsClick() {
    const QString path = AskSavePath("Fribo Trigonet (*.dat)", "dat");
    if (path.isEmpty()) return;
    QString error;
    if (!WriteDesignRecords(path, collection, Language(), error)) return Fail(error);
    Report(SavedText(path));
}

// A collection in progress may be saved; the status line says what it still lacks.
QString TDesignerForm::SavedText(const QString& path) const {
    const int lang = Language();
    QString text = Text(lang, "Gespeichert: %1.", "Saved: %1.").arg(QDir::toNativeSeparators(path));
    if (!Judged() || FirstBroken() >= 0)
        text += Text(lang, " Noch nicht spielbereit.", " Not ready for the game yet.");
    return text;
}

void TDesignerForm::InstallClick() {
    const int lang = Language();
    // The game trusts what it finds there: it lists and plays every record.
    if (!Judged())
        return Fail(Text(lang,
                         "Die Sammlung wird noch geprüft; nichts eingerichtet. Bitte gleich "
                         "noch einmal.",
                         "The collection is still being checked; nothing was installed. Try "
                         "again in a moment."));
    if (const int first = FirstBroken(); first >= 0)
        return Fail(Text(lang, "Figur %1 (%2) verletzt eine Regel: %3. Nichts eingerichtet.",
                         "Figure %1 (%2) breaks a rule: %3. Nothing was installed.")
                        .arg(first + 1)
                        .arg(QString::fromStdString(collection.Figures[first].Name),
                             FirstFailure(lang, collectionVerdicts[first])));
    QString error;
    if (!InstallForMe(collection, Language(), error)) return Fail(error);
    Report(Text(Language(),
                "Eingerichtet in %1: im Spiel im Fenster \"Trigonet wählen\" als "
                "\"Meine Figuren\" zu finden, neben den Figuren des Spiels.",
                "Installed in %1: the game offers it as \"My own figures\" in the window "
                "\"Select Trigonet\", beside its own figures.")
               .arg(QDir::toNativeSeparators(PersonalCollectionPath())));
}

void TDesignerForm::closeEvent(QCloseEvent* event) {
    if (!MayDiscard()) return event->ignore();
    *stopJudging = true;
    event->accept();
}
