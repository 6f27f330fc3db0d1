#include "app/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vux {

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    p.scale(s, s);

    QPainterPath body;
    body.addRoundedRect(QRectF(14, 4, 36, 56), 18, 18);
    QLinearGradient shell(0, 0, 0, 64);
    shell.setColorAt(0, QColor(0x2b, 0x2f, 0x38));
    shell.setColorAt(1, QColor(0x10, 0x12, 0x16));
    p.fillPath(body, shell);
    p.setPen(QPen(QColor(0x00, 0xd8, 0xff), 2.5));
    p.drawPath(body);

    p.setPen(QPen(QColor(0x00, 0xd8, 0xff), 2));
    p.drawLine(QPointF(32, 5), QPointF(32, 24));
    p.drawLine(QPointF(15, 24), QPointF(49, 24));
    p.setBrush(QColor(0x00, 0xd8, 0xff));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(29.5, 10, 5, 9), 2.5, 2.5);
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawIcon(size));
    return icon;
}

} // namespace vux
