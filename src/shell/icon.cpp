#include "shell/icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QImage DrawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // The rounded blue tile.
    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor(0x3d, 0x8b, 0xfd));
    tile.setColorAt(1, QColor(0x1a, 0x56, 0xc4));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);

    // The white sheet with three list lines.
    const QRectF sheet(s * 0.16, s * 0.14, s * 0.56, s * 0.70);
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, s * 0.06, s * 0.06);
    p.setBrush(QColor(0x9a, 0xa9, 0xbd));
    const qreal line = qMax<qreal>(1.0, s * 0.07);
    for (int i = 0; i < 3; ++i) {
        p.drawRect(QRectF(sheet.left() + s * 0.08, sheet.top() + s * (0.12 + 0.17 * i), sheet.width() * 0.70, line));
    }

    // The orange badge with "@".
    const QRectF badge(s * 0.50, s * 0.50, s * 0.44, s * 0.44);
    p.setBrush(QColor(0xff, 0x8a, 0x1f));
    p.setPen(QPen(Qt::white, qMax<qreal>(1.0, s * 0.04)));
    p.drawEllipse(badge);
    if (size >= 24) {
        QFont font = p.font();
        font.setPixelSize(qRound(s * 0.32));
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(badge, Qt::AlignCenter, QStringLiteral("@"));
    } else {
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(badge.center(), s * 0.08, s * 0.08);
    }
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
    return icon;
}
