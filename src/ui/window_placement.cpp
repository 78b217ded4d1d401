#include "ui/window_placement.h"

#include "ui/centre_over_main.h"
#include "ui/settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

QString FormatPlacement(const WindowPlacement& p) {
    const QRect& r = p.Normal;
    return QStringList{QString::number(PlacementMark),
                       QString::number(p.Flags),
                       QString::number(p.ShowCmd),
                       QString::number(r.left()),
                       QString::number(r.top()),
                       QString::number(r.left() + r.width()),
                       QString::number(r.top() + r.height())}
        .join(',');
}

std::optional<WindowPlacement> ParsePlacement(const QString& text) {
    const QStringList items = text.split(',');
    if (items.size() != 7) return std::nullopt;
    int n[7];
    for (int i = 0; i < 7; ++i) {
        const std::optional<int> value = ParseNumber(items[i]);
        if (!value) return std::nullopt;
        n[i] = *value;
    }
    if (n[0] != PlacementMark) return std::nullopt;
    const long long width = static_cast<long long>(n[5]) - n[3];
    const long long height = static_cast<long long>(n[6]) - n[4];
    if (width <= 0 || height <= 0 || width > 1 << 20 || height > 1 << 20) return std::nullopt;
    return WindowPlacement{n[1], n[2], QRect(n[3], n[4], int(width), int(height))};
}

QPoint CentredOn(const QRect& area, const QSize& size) {
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2};
}

QRect KeepOnDesktop(QRect rect, const QRect& desktop) {
    const int desktopRight = desktop.left() + desktop.width();
    const int desktopBottom = desktop.top() + desktop.height();
    if (rect.left() + rect.width() > desktopRight) rect.moveLeft(desktopRight - rect.width());
    if (rect.top() + rect.height() > desktopBottom) rect.moveTop(desktopBottom - rect.height());
    if (rect.left() < desktop.left()) rect.moveLeft(desktop.left());
    if (rect.top() < desktop.top()) rect.moveTop(desktop.top());
    return rect;
}

QRect KeepFrameOnDesktop(const QRect& client, const QMargins& frame, const QRect& desktop) {
    return KeepOnDesktop(client.marginsAdded(frame), desktop).marginsRemoved(frame);
}

FormPlacement::FormPlacement(Settings& settings) : settings(settings) {}

void FormPlacement::Restore(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const std::optional<WindowPlacement> placement = settings.MainPlacement();
    if (!placement) {
        if (!screen) return;
        const QRect area = screen->geometry();
        PlaceNowAndWhenFramed(window, [window, area] {
            const QSize size = FrameGeometry(window).size();
            window->move(CentredOn(area, size));
        });
        return;
    }
    flags = placement->Flags;
    const QRect desktop = screen ? screen->virtualGeometry() : placement->Normal;
    const QRect normal = placement->Normal;
    // The frame counts too: a title bar above the desktop could not be grabbed.
    PlaceNowAndWhenFramed(window, [window, normal, desktop] {
        if (window->isMaximized()) return;
        window->setGeometry(KeepFrameOnDesktop(normal, FrameMargins(window), desktop));
    });
    if (placement->ShowCmd == ShowMaximized) window->setWindowState(Qt::WindowMaximized);
    if (placement->ShowCmd == ShowMinimized) window->setWindowState(Qt::WindowMinimized);
}

bool FormPlacement::Store(const QWidget* window) {
    WindowPlacement placement;
    placement.Flags = flags;
    placement.ShowCmd = window->isMinimized()   ? ShowMinimized
                        : window->isMaximized() ? ShowMaximized
                                                : ShowNormal;
    placement.Normal = window->normalGeometry();
    if (placement.Normal.isEmpty()) placement.Normal = window->geometry();
    settings.SetMainPlacement(placement);
    return settings.Write();
}
