#include "dialogs/statis.h"

#include "ui/centre_over_main.h"
#include "ui/paint_box.h"
#include "ui/palette_colours.h"
#include "ui/texts.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

namespace {

// The colours of the help categories: no help .. given up.
const QColor BandColours[HelpCategoryCount] = {
    {0, 255, 0}, {193, 255, 0}, {255, 224, 30}, {255, 121, 30}, {255, 0, 0}};

QFrame* LoweredBox(QWidget* parent, int x, int y, int w, int h) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(x, y, w, h);
    return frame;
}

// A percentage gauge without border: grey track, `fill` for the part done and
// "NN%" in black in the middle.
QProgressBar* PercentGauge(QWidget* parent, const char* name, QColor fill, QRect geometry) {
    auto* gauge = new QProgressBar(parent);
    gauge->setObjectName(name);
    gauge->setGeometry(geometry);
    gauge->setAlignment(Qt::AlignCenter);
    gauge->setStyleSheet(QString("QProgressBar { border: none; background: rgb(160, 160, 160); "
                                 "color: black; } QProgressBar::chunk { background: %1; }")
                             .arg(fill.name()));
    return gauge;
}

// The share is truncated, as WholePercent says; an empty collection shows 0%
// rather than the busy bar of an empty range.
void SetGauge(QProgressBar* gauge, int progress, int maximum) {
    gauge->setRange(0, std::max(maximum, 1));
    gauge->setValue(progress);
    gauge->setFormat(QString::number(WholePercent(progress, maximum)) + "%");
}

QLabel* BoldLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont bold = parent->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QString Num(int n) {
    return QString::number(n);
}

// One piece of a sentence chosen by a count: none, one, or more (with the number).
QString Piece(int n, const char* none, const char* one, const char* before, const char* after) {
    if (n == 0) return QString::fromUtf8(none);
    if (n == 1) return QString::fromUtf8(one);
    return QString::fromUtf8(before) + Num(n) + QString::fromUtf8(after);
}

// The texts of the dialog, in the language the flag selects.

QString FinishedLine(int language, const ProgressSummary& s) {
    const bool german = IsGerman(language);
    if (s.Finished == 0)
        return Text(language, "Bisher wurde noch kein Trigonet gelöst !!!",
                    "Until now no Trigonet was solved !!!");
    if (s.Finished == 1)
        return german ? "Bisher wurde eines von insgesamt " + Num(s.Count) +
                            QString::fromUtf8(" Trigoneten gelöst.")
                      : "Until now one out of total " + Num(s.Count) + " Trigonets was solved.";
    return german ? "Bisher wurden " + Num(s.Finished) + " von insgesamt " + Num(s.Count) +
                        QString::fromUtf8(" Trigoneten gelöst.")
                  : "Until now " + Num(s.Finished) + " out of total " + Num(s.Count) +
                        " Trigonets were solved.";
}

QString HelpSentence(int language, const ProgressSummary& s) {
    const auto& n = s.HelpCounts;
    if (IsGerman(language)) {
        return QString::fromUtf8("Du hast für ") +
               Piece(n[0], "kein Trigonet keine, ", "ein Trigonet keine, ", "",
                     " Trigonets keine, ") +
               Piece(n[1], "für kein Trigonet wenig, ", "für ein Trigonet wenig, ", "für ",
                     " Trigonete wenig, ") +
               Piece(n[2], "für kein Trigonet etwas mehr ", "für ein Trigonet etwas mehr ", "für ",
                     " Trigonete etwas mehr ") +
               Piece(n[3], "und für kein Trigonet viel", "und für ein Trigonet viel", "und für ",
                     " Trigonete viel") +
               QString::fromUtf8(" Hilfe benötigt. ") +
               Piece(n[4], "Du hast kein Trigonet aufgegeben.", "Ein Trigonet hast Du aufgegeben.",
                     "Du hast ", " Trigonete aufgegeben.");
    }
    return Piece(n[0], "For no Trigonet you didn't need any help. ",
                 "For one Trigonet you didn't need any help. ", "For ",
                 " Trigonets you didn't need any help. ") +
           Piece(n[1], "For no Trigonet you needed little, ",
                 "For one Trigonet you needed little, ", "For ", " Trigonets you needed little, ") +
           Piece(n[2], "for no Trigonet some more ", "for one Trigonet some more ", "for ",
                 " Trigonets some more ") +
           Piece(n[3], "and for no Trigonet much help. ", "and für one Trigonet much help. ",
                 "and for ", " Trigonets much help. ") +
           Piece(n[4], "You dropped no Trigonet.", "You dropped one Trigonet.", "You dropped ",
                 " Trigonets.");
}

QString PointsLine(int language, const ProgressSummary& s) {
    const int total = MaxPoints(s.Count);
    const QString p = Num(s.Points), t = Num(total);
    if (s.Finished < s.Count) {
        if (s.Points == 0)
            return Text(language, "Du hast bisher leider keine Punkte erreicht.",
                        "Sorry, until now you've reached no points.");
        return IsGerman(language)
                   ? "Du hast bisher " + p + " von " + t +
                         QString::fromUtf8(" möglichen Punkten erreicht.")
                   : "Until now you've reached " + p + " out of " + t + " possible points.";
    }
    if (s.Points == total)
        return Text(language, "Hurra, Du hast alle möglichen Punkte erreicht.",
                    "Hurrah, you reached all possible points.");
    if (s.Points == 0)
        return Text(language, "Du hast leider keinen einzigen Punkt erreicht.",
                    "Sorry, you reached no points.");
    return IsGerman(language)
               ? "Du hast " + p + " von " + t + QString::fromUtf8(" möglichen Punkten erreicht.")
               : "You reached " + p + " out of " + t + " possible points.";
}

QString StatisticsCaption(int language, const std::string& saveFileName) {
    const QString name = QString::fromStdString(StatisticsGameName(saveFileName));
    if (IsGerman(language))
        return QString::fromUtf8("Trigonet Statistik") +
               (name.isEmpty() ? QString() : QString::fromUtf8(" für Spiel ") + name);
    return QString("Trigonet statistics") + (name.isEmpty() ? QString() : " for game " + name);
}

} // namespace

TStatDlg::TStatDlg(const GameData& data, QWidget* mainWindow)
    : QDialog(mainWindow), data(data), mainWindow(mainWindow) {
    setObjectName("StatDlg");
    setFixedSize(448, 316);
    setFont(AppFont(8));

    LoweredBox(this, 8, 8, 433, 69);
    FinishedLabel = BoldLabel(this, "FinishedLabel");
    FinishedLabel->move(20, 20);
    FiguresGauge = PercentGauge(this, "Gauge1", QColor(0, 128, 255), QRect(20, 44, 410, 18));

    LoweredBox(this, 8, 84, 433, 109);
    HelpLabel = BoldLabel(this, "HelpLabel");
    HelpLabel->setGeometry(20, 100, 401, 49);
    HelpLabel->setWordWrap(true);
    HelpLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* bar = new PaintBox(this);
    bar->setObjectName("pieBox");
    bar->setGeometry(20, 156, 417, 29);
    bar->paint = [this](QPainter& painter) { pieBoxPaint(painter); };
    pieBox = bar;

    LoweredBox(this, 8, 200, 433, 69);
    PointsLabel = BoldLabel(this, "PointsLabel");
    PointsLabel->move(20, 212);
    PointsGauge = PercentGauge(this, "Gauge2", QColor(0, 255, 0), QRect(20, 236, 410, 18));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setGeometry(368, 284, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TStatDlg::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TStatDlg::FormActivate() {
    CentreOverMain(this, mainWindow);
    summary = SummarizeProgress(data);
    SetGauge(FiguresGauge, summary.Finished, summary.Count);
    SetGauge(PointsGauge, summary.Points, MaxPoints(summary.Count));

    const int lang = data.Language;
    setWindowTitle(StatisticsCaption(lang, data.SaveFileName));
    FinishedLabel->setText(FinishedLine(lang, summary));
    FinishedLabel->adjustSize();
    HelpLabel->setText(HelpSentence(lang, summary));
    PointsLabel->setText(PointsLine(lang, summary));
    PointsLabel->adjustSize();
    pieBox->update();
}

void TStatDlg::pieBoxPaint(QPainter& painter) {
    const auto bands = CategoryBands(summary);
    for (int k = 0; k < HelpCategoryCount; ++k) {
        const CategoryBand& band = bands[k];
        if (band.Drawn) painter.fillRect(band.Start, 0, band.End - band.Start, 17, BandColours[k]);
    }
}
