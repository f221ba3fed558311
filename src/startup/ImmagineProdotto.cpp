#include "startup/ImmagineProdotto.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap ImmagineProdotto::disegna(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // The enclosure.
    const QRectF box(w * 0.08, h * 0.18, w * 0.84, h * 0.72);
    QLinearGradient body(box.topLeft(), box.bottomLeft());
    body.setColorAt(0, QColor(90, 110, 140));
    body.setColorAt(1, QColor(40, 55, 80));
    p.setPen(QPen(QColor(20, 25, 35), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(box, w * 0.06, w * 0.06);

    // Cable glands along the top.
    p.setBrush(QColor(60, 60, 60));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(w * (0.18 + i * 0.18), h * 0.08, w * 0.08, h * 0.11));

    // The name plate and the terminal strip.
    const QRectF plate(box.left() + w * 0.08, box.top() + h * 0.08, box.width() - w * 0.16,
                       h * 0.22);
    p.setBrush(QColor(235, 235, 220));
    p.drawRect(plate);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(qMax(8, int(h * 0.14)));
    p.setFont(font);
    p.setPen(QColor(30, 40, 60));
    p.drawText(plate, Qt::AlignCenter, QStringLiteral("VK"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 160, 60));
    const qreal strip = box.bottom() - h * 0.2;
    for (int i = 0; i < 8; ++i)
        p.drawRect(QRectF(box.left() + w * (0.08 + i * 0.09), strip, w * 0.06, h * 0.1));
    return picture;
}
