#pragma once

#include "ShellText.h"

#include <QList>
#include <QString>

// A value written where a placeholder stands so that the shell reads exactly
// the value: as a shell word it becomes one single-quoted word when bash would
// split, expand or end it; inside single quotes its "'" is written "'\''";
// inside a quoted here-document, an arithmetic expression or a place the
// shell's reading of is unsure it stays as typed.
namespace Quoting {

struct Written {
    QString text;
    // Where each character of the value begins in text; one more entry, the
    // place where the value ends (before a closing quote).
    QList<qsizetype> starts;
};

Written written(const QString &value, ShellText::Context context);
// The value as typed, for a place where the shell is meant to read it as code.
Written asTyped(const QString &value);

// Whether bash reads the value as one word, as typed, without quotes.
bool isBareWord(const QString &value);

} // namespace Quoting
