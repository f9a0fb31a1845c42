#pragma once

#include "LineEnds.h"

#include <QPlainTextEdit>

// A multi-line text box whose text, as the program reads and writes it,
// keeps the line ends it was given, as a Windows edit box does; it shows each
// line on a line of its own and wraps long lines at word boundaries.
class MultiLineBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineBox(QWidget *parent = nullptr);

    // CR LF, a lone LF and a lone CR each start a new line.
    void setText(const QString &text);
    // The shown lines character for character, each with the end it was
    // given; a line break the user typed is LF.
    QString text() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    LineEnds::Lines m_put; // the text last put in, cut into lines
};
