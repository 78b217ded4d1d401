#include "ui/dialog_parts.h"

#include "ui/palette_colours.h"

#include <QDialog>
#include <QMouseEvent>
#include <QStyle>

QLabel* ProgramIcon(QWidget* dialog, const QWidget* mainWindow, QRect geometry) {
    auto* icon = new QLabel(dialog);
    icon->setObjectName("Picture");
    icon->setGeometry(geometry);
    if (mainWindow) icon->setPixmap(mainWindow->windowIcon().pixmap(32, 32));
    return icon;
}

QPushButton* OkButton(QDialog* dialog, QPoint topLeft) {
    auto* ok = new QPushButton("OK", dialog);
    ok->setObjectName("OKBtn");
    ok->setGeometry(QRect(topLeft, QSize(77, 27)));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    dialog->setFocusProxy(ok);
    return ok;
}

namespace {

constexpr qreal SmallestPoints = 6;

// `font` made smaller by half points until `fits` says it does, or it is tiny.
template <typename Fits> QFont Shrunk(QFont font, Fits fits) {
    if (font.pointSizeF() <= 0) font.setPointSizeF(QFontInfo(font).pointSizeF());
    while (!fits(QFontMetrics(font)) && font.pointSizeF() > SmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

} // namespace

void FitText(QPushButton* button) {
    button->setFont(QFont()); // the parent's, before deciding
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    int room = button->width() - 2 * margin - 4;
    if (!button->icon().isNull()) room -= button->iconSize().width() + 4;
    const QString text = button->text().remove('&');
    button->setFont(Shrunk(button->font(), [&](const QFontMetrics& metrics) {
        return metrics.horizontalAdvance(text) <= room;
    }));
}

void FitText(QLabel* label, int gap) {
    label->setFont(QFont());
    const QRect room(0, 0, label->width(), label->height() - 2 * gap);
    const QString text = label->text();
    label->setFont(Shrunk(label->font(), [&](const QFontMetrics& metrics) {
        return metrics.boundingRect(room, Qt::TextWordWrap, text).height() <= room.height();
    }));
}

LinkLabel::LinkLabel(const QString& shown, QUrl target, UrlOpener opener, QWidget* parent)
    : QLabel(shown, parent), target(std::move(target)), opener(std::move(opener)) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    Tint();
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::Tint() {
    tinting = true; // setting the palette announces a change of it
    QPalette palette = this->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText,
                         ReadableOn(Qt::blue, palette.color(group, QPalette::Window)));
    setPalette(palette);
    tinting = false;
}

void LinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !tinting) Tint(); // the theme changed
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    if (!opener(target)) {
        setEnabled(false);
        unsetCursor();
    }
}
