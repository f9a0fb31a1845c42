#include "DesignLabel.h"

#include <QPainter>
#include <QStyle>

namespace {
// The width the design's font gives a blank: half a Chinese character.
constexpr QChar kHalfWidthBlank(0x2002); // EN SPACE
// Room to lay out a line that is not wrapped.
constexpr int kUnbounded = 1 << 20;
}

DesignLabel::DesignLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

QString DesignLabel::shownText() const
{
    return QString(text()).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char(' '), kHalfWidthBlank);
}

int DesignLabel::textFlags() const
{
    return int(QStyle::visualAlignment(layoutDirection(), alignment())) | (wordWrap() ? Qt::TextWordWrap : 0);
}

QSize DesignLabel::shownSize(int width) const
{
    const QRect room(0, 0, width, kUnbounded);
    const QMargins margins = contentsMargins();
    return fontMetrics().boundingRect(room, textFlags(), shownText()).size().grownBy(margins);
}

QSize DesignLabel::sizeHint() const
{
    return shownSize(kUnbounded);
}

QSize DesignLabel::minimumSizeHint() const
{
    return sizeHint();
}

int DesignLabel::heightForWidth(int width) const
{
    return shownSize(width - contentsMargins().left() - contentsMargins().right()).height();
}

void DesignLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), textFlags(), palette(), isEnabled(), shownText(), foregroundRole());
}
