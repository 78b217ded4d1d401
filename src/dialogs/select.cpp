#include "dialogs/select.h"

#include "ui/centre_over_main.h"
#include "ui/figure_drawing.h"
#include "ui/paint_box.h"
#include "ui/palette_colours.h"
#include "ui/pictures.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int Columns = 4;
constexpr int PageSize = 12;
constexpr int CellPitchX = 100;
constexpr int CellPitchY = 85;

const QColor FinishedColour(127, 127, 127);

// A mark of its own for each state, so that none is told by colour alone: a
// tick for solved, a cross for given up, a bulb for help taken on an unfinished
// figure. Drawn in the number strip, left of the rating face.
constexpr int MarkLeft = 56, MarkTop = 2, MarkSize = 14;

enum class StateMark { None, Solved, GivenUp, Helped };

StateMark MarkFor(uint8_t progress) {
    if (IsFinished(progress)) return IsGivenUp(progress) ? StateMark::GivenUp : StateMark::Solved;
    return HelpCount(progress) > 0 ? StateMark::Helped : StateMark::None;
}

void DrawStateMark(QPainter& painter, StateMark mark, int x0, int y0) {
    if (mark == StateMark::None) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(x0 + MarkLeft, y0 + MarkTop);
    QPen pen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (mark) {
    case StateMark::Solved:
        painter.drawPolyline(QPolygonF({{2, 7.5}, {5.5, 11.5}, {12, 2.5}}));
        break;
    case StateMark::GivenUp:
        painter.drawLine(QPointF(2.5, 2.5), QPointF(11.5, 11.5));
        painter.drawLine(QPointF(11.5, 2.5), QPointF(2.5, 11.5));
        break;
    default: // Helped
        pen.setWidthF(1.2);
        painter.setPen(pen);
        painter.setBrush(QColor(255, 230, 60));
        painter.drawEllipse(QPointF(7, 5.5), 4.5, 4.5);
        painter.setBrush(Qt::black);
        painter.drawRect(QRectF(5, 10.5, 4, 2.5));
        break;
    }
    painter.restore();
}

} // namespace

TSelectDlg::TSelectDlg(GameData& data, QWidget* mainWindow)
    : QDialog(mainWindow), data(data), mainWindow(mainWindow), faces(RatingFaces()) {
    setObjectName("SelectDlg");
    setFixedSize(448, 316);
    setFont(AppFont(8));

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 8, 417, 268);

    auto* grid = new PaintBox(this);
    grid->setObjectName("box");
    grid->setGeometry(20, 20, 397, 249);
    grid->paint = [this](QPainter& painter) { boxPaint(painter); };
    grid->press = [this](int x, int y) { boxMouseDown(x, y); };
    box = grid;

    ScrollBar = new QScrollBar(Qt::Vertical, this);
    ScrollBar->setObjectName("ScrollBar");
    ScrollBar->setGeometry(424, 9, 16, 266);
    ScrollBar->setSingleStep(Columns);
    ScrollBar->setPageStep(PageSize);
    ScrollBar->setRange(1, ScrollMaximum());
    connect(ScrollBar, &QScrollBar::valueChanged, box, qOverload<>(&QWidget::update));

    PrevBtn = new QPushButton(this);
    PrevBtn->setObjectName("PrevBtn");
    PrevBtn->setGeometry(304, 284, 25, 25);
    PrevBtn->setIcon(SvgPicture("arrow_left.svg", QSize(16, 16)));
    PrevBtn->setAutoDefault(false);
    connect(PrevBtn, &QPushButton::clicked, this, [this] { PrevBtnClick(); });

    NextBtn = new QPushButton(this);
    NextBtn->setObjectName("NextBtn");
    NextBtn->setGeometry(332, 284, 25, 25);
    NextBtn->setIcon(SvgPicture("arrow_right.svg", QSize(16, 16)));
    NextBtn->setAutoDefault(false);
    connect(NextBtn, &QPushButton::clicked, this, [this] { NextBtnClick(); });

    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(364, 284, 75, 25);
    CancelBtn->setAutoDefault(false);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    CollectionBox = new QComboBox(this);
    CollectionBox->setObjectName("CollectionBox");
    CollectionBox->setGeometry(8, 284, 288, 25);
    CollectionBox->hide();
    connect(CollectionBox, &QComboBox::activated, this,
            [this](int index) { CollectionBoxActivated(index); });
}

void TSelectDlg::SetCollections(Collections choice) {
    collections = std::move(choice);
    if (isVisible()) ShowCollections();
}

void TSelectDlg::ShowCollections() {
    const QStringList names = collections.Names ? collections.Names(data.Language) : QStringList();
    CollectionBox->clear();
    CollectionBox->addItems(names);
    CollectionBox->setCurrentIndex(collections.Current ? collections.Current() : 0);
    CollectionBox->setToolTip(
        Text(data.Language, "Welche Figurensammlung ich spiele", "Which figure collection I play"));
    CollectionBox->setAccessibleName(Text(data.Language, "Figurensammlung", "Figure collection"));
    CollectionBox->setVisible(names.size() > 1);
}

void TSelectDlg::CollectionBoxActivated(int index) {
    if (!collections.Choose) return;
    CollectionBox->setCurrentIndex(collections.Choose(index));
    ScrollBar->setRange(1, ScrollMaximum());
    ScrollBar->setValue(data.CurrentFigure);
    box->update();
}

int TSelectDlg::ScrollPosition() const {
    return ScrollBar->value();
}

int TSelectDlg::ScrollMaximum() const {
    return std::max(1, BoundedFigureCount(data) - (PageSize - 1));
}

void TSelectDlg::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TSelectDlg::FormActivate() {
    CentreOverMain(this, mainWindow);
    const int lang = data.Language;
    setWindowTitle(Text(lang, "Trigonet wählen", "Select Trigonet"));
    CancelBtn->setText(Text(lang, "Abbruch", "Cancel"));
    PrevBtn->setToolTip(Text(lang, "Welches vorhergehende Trigonet hab ich noch nicht geschafft?",
                             "Which previous Trigonet I havn't solved yet?"));
    NextBtn->setToolTip(Text(lang, "Welches folgende Trigonet hab ich noch nicht geschafft?",
                             "Which following Trigonet I havn't solved yet?"));
    box->setToolTip(Text(lang, "Ein Mausklick und schon gehts mit diesem Trigonet los.",
                         "A mouselick and the Trigonet is selected."));
    ShowCollections();
    // The player may have switched collections since the last showing.
    ScrollBar->setRange(1, ScrollMaximum());
    ScrollBar->setValue(data.CurrentFigure); // clamped: the last figures open the last page
    box->update();
}

bool TSelectDlg::Finished(int figure) const {
    return figure >= 1 && figure <= BoundedFigureCount(data) && IsFinished(data.Progress[figure]);
}

void TSelectDlg::boxPaint(QPainter& painter) {
    const int first = ScrollPosition();
    for (int k = 0; k < PageSize; ++k) {
        const int figure = first + k;
        if (figure > BoundedFigureCount(data)) break;
        DrawThumbnail(painter, figure, (k % Columns) * CellPitchX, (k / Columns) * CellPitchY);
    }
}

void TSelectDlg::DrawThumbnail(QPainter& painter, int figure, int x0, int y0) {
    const uint8_t progress = data.Progress[figure];
    ::DrawThumbnail(painter, data.Figures[figure], FigureOnBoard(data, figure), figure, x0, y0,
                    IsFinished(progress) ? FinishedColour : QColor(Qt::black));
    if (IsFinished(progress)) {
        const int face = FaceIndex(HelpCount(progress));
        painter.drawPixmap(x0 + 73, y0 + 2, faces, FaceSize * face, 0, FaceSize, FaceSize);
    }
    DrawStateMark(painter, MarkFor(progress), x0, y0);
}

void TSelectDlg::boxMouseDown(int x, int y) {
    if (x < 0 || y < 0) return;
    const int column = x / CellPitchX;
    const int row = y / CellPitchY;
    if (column >= Columns || row >= PageSize / Columns) return;
    const int figure = ScrollPosition() + column + Columns * row;
    if (figure > BoundedFigureCount(data)) return; // an empty cell of a short collection
    data.CurrentFigure = figure;
    done(1);
}

void TSelectDlg::PrevBtnClick() {
    int p = ScrollPosition();
    if (p > 1) --p;
    while (p > 1 && Finished(p))
        --p;
    if (!Finished(p)) ScrollBar->setValue(p);
}

void TSelectDlg::NextBtnClick() {
    const int last = ScrollMaximum();
    int p = ScrollPosition();
    if (p < last) ++p;
    while (p < last && Finished(p))
        ++p;
    if (!Finished(p)) ScrollBar->setValue(p);
}
