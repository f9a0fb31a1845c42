#include "MultiLineBox.h"

#include <QKeyEvent>
#include <QTextDocument>

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

// The lines as the document holds them: its raw text keeps every character
// (a no-break space, a line separator), where toPlainText() would turn them
// into a blank and a line break.
QString MultiLineBox::text() const
{
    return LineEnds::join(m_put, document()->toRawText().split(QChar::ParagraphSeparator));
}

// Shift+Enter starts a new line as Enter does: the box never holds a line
// separator that the user did not put in with the text.
void MultiLineBox::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !(event->modifiers() & Qt::ShiftModifier))
        return QPlainTextEdit::keyPressEvent(event);
    QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier, event->text(),
                    event->isAutoRepeat(), ushort(event->count()));
    QPlainTextEdit::keyPressEvent(&plain);
    event->setAccepted(plain.isAccepted());
}
