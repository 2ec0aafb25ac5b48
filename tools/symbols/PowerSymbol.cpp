#include "symbols/PowerSymbol.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kWidth = 164;
constexpr int kHeight = 71;

QPainterPath labelPath(const QString& text, const QFont& font, qreal left, qreal midY)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(left - box.left(), midY - box.center().y());
    return path;
}

} // namespace

QImage paintPowerSymbol(int scale)
{
    const int width = kWidth * scale;
    const int height = kHeight * scale;
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::white);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    font.setBold(true);

    const qreal midY = kHeight / 2.0;
    const QPointF centre(82.0, midY);
    const qreal ringRadius = 15.0;
    const qreal dotRadius = 4.5;

    const QPainterPath gnd = labelPath(QStringLiteral("GND"), font, 4.0, midY);
    QPainterPath plus = labelPath(QStringLiteral("+5V"), font, 0.0, midY);
    plus.translate(kWidth - 4.0 - plus.boundingRect().right(), 0.0);

    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (scale != 1)
        p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(gnd);
    p.drawPath(plus);

    QPen stroke(Qt::black, 2.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(stroke);
    p.setBrush(Qt::NoBrush);
    // The sleeve is drawn open towards +5V so the centre-pin lead can leave
    // the ring without touching it, as on printed polarity labels.
    const QRectF ring(centre.x() - ringRadius, centre.y() - ringRadius, 2 * ringRadius, 2 * ringRadius);
    p.drawArc(ring, 35 * 16, 290 * 16);
    p.drawLine(QPointF(gnd.boundingRect().right() + 4.0, midY), QPointF(centre.x() - ringRadius, midY));
    p.drawLine(centre, QPointF(plus.boundingRect().left() - 4.0, midY));

    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(centre, dotRadius, dotRadius);
    p.end();

    QImage indexed(width, height, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    ramp.reserve(256);
    for (int i = 0; i < 256; ++i)
        ramp.append(qRgb(i, i, i));
    indexed.setColorTable(ramp);
    for (int y = 0; y < height; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        uchar* dst = indexed.scanLine(y);
        for (int x = 0; x < width; ++x)
            dst[x] = uchar(qGray(src[x]));
    }
    return indexed;
}
