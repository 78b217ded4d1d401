#include "dialogs/select.h"

#include "ui/centre_over_main.h"
#include "ui/figure_drawing.h"
#include "ui/paint_box.h"
#include "ui/palette_colours.h"
#include "ui/pictures.h"
#include "ui/texts.h"

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
    // The collection is fixed for the run, but the range is cheap to renew.
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
    ::DrawThumbnail(painter, data.Figures[figure], figure, x0, y0,
                    IsFinished(progress) ? FinishedColour : QColor(Qt::black));
    if (IsFinished(progress)) {
        const int face = FaceIndex(HelpCount(progress));
        painter.drawPixmap(x0 + 73, y0 + 2, faces, FaceSize * face, 0, FaceSize, FaceSize);
    }
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
