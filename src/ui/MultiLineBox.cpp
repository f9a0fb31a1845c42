#include "MultiLineBox.h"

#include <QRegularExpression>

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
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r"));
    setPlainText(QString(text).replace(lineBreak, QStringLiteral("\n")));
}

QString MultiLineBox::text() const
{
    return toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}
