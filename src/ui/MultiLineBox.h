#pragma once

#include <QPlainTextEdit>

// A multi-line text box whose text, as the program reads and writes it, has
// CR LF between lines, as a Windows edit box has; it shows each line on a
// line of its own and wraps long lines at word boundaries.
class MultiLineBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineBox(QWidget *parent = nullptr);

    // CR LF, a lone LF and a lone CR each start a new line.
    void setText(const QString &text);
    // The shown lines joined by CR LF.
    QString text() const;
    // The shown lines joined by LF.
    QString lines() const { return toPlainText(); }
};
