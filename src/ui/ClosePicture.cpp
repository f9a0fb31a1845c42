#include "ClosePicture.h"

#include <QPainter>

namespace {
constexpr int kSize = 21;
constexpr QColor kDisc(0x3a, 0x3a, 0x3a);
constexpr Qt::GlobalColor kCross = Qt::white;
constexpr qreal kCrossHalfLength = 4.5;
constexpr qreal kCrossWidth = 2.2;
} // namespace

QPixmap closePicture()
{
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDisc);
    painter.drawEllipse(QRectF(0.5, 0.5, kSize - 1, kSize - 1));

    const QPointF centre(kSize / 2.0, kSize / 2.0);
    const QPointF arm(kCrossHalfLength, kCrossHalfLength);
    painter.setPen(QPen(kCross, kCrossWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre - arm, centre + arm);
    painter.drawLine(centre + QPointF(-arm.x(), arm.y()), centre + QPointF(arm.x(), -arm.y()));
    return picture;
}
