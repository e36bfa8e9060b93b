#include "ui/app_icon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace kov::ui {

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double unit = size / 16.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x3a, 0x5f));
        p.drawRoundedRect(QRectF(0, 0, size, size), 2 * unit, 2 * unit);
        // Four bars, the last the tallest: a population projected forward.
        const double heights[] = {5, 7, 9, 12};
        p.setBrush(QColor(0xe8, 0xb0, 0x3a));
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF((2 + 3.2 * i) * unit, (14 - heights[i]) * unit, 2.4 * unit, heights[i] * unit));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kov::ui
