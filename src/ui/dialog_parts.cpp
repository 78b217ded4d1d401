#include "ui/dialog_parts.h"

#include "ui/palette_colours.h"

#include <QDialog>
#include <QEvent>
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

LinkLabel::LinkLabel(const QString& shown, const QUrl& target, UrlOpener opener, QWidget* parent)
    : QLabel(parent), shown(shown), target(target) {
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(this, &QLabel::linkActivated, this, [this, opener] {
        if (!opener(this->target)) setEnabled(false);
    });
    Tint();
}

void LinkLabel::Tint() {
    // A link takes the application's link colour, not the label's palette: the
    // colour goes into the link itself.
    const QColor colour = ReadableOn(Qt::blue, palette().color(QPalette::Window));
    setText(QString("<a href=\"%1\" style=\"color: %2\">%3</a>")
                .arg(target.toString(QUrl::FullyEncoded).toHtmlEscaped(), colour.name(),
                     shown.toHtmlEscaped()));
}

void LinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) Tint(); // the theme changed
}
