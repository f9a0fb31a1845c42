#include "MultiLineBox.h"

MultiLineBox::MultiLineBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
}

void MultiLineBox::setText(const QString &text)
{
    m_put = LineEnds::split(text);
    setPlainText(m_put.lines.join(QLatin1Char('\n')));
}

QString MultiLineBox::text() const
{
    return LineEnds::join(m_put, toPlainText().split(QLatin1Char('\n')));
}
