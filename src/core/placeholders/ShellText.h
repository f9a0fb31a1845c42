#pragma once

#include <QList>
#include <QString>

// How the shell reads a command's text, as far as its placeholders need:
// where each character stands (a shell word, inside quotes, inside a
// here-document), and where the placeholders "<中文说明>" are.
namespace ShellText {

// Where a character of a command stands for the shell.
enum class Context {
    Plain,         // unquoted shell text
    SingleQuoted,  // '...'
    AnsiCQuoted,   // $'...': a backslash escapes
    DoubleQuoted,  // "...": the shell expands "$", "`" and, interactively, "!"
    Comment,       // after a "#" that starts a word
    QuotedHereDoc, // body of <<'EOF': passed on untouched
    HereDoc,       // body of <<EOF: expanded like double quotes
    HereDocEnd,    // the line that ends a here-document
    Arithmetic,    // $(( ... )) or (( ... )): read as an arithmetic expression
    Unsure,        // text whose reading the reader cannot be sure of: backquotes, a
                   // substitution in a here-document, what follows a "case" inside $( )
};

// The context of every character of a command; lines end with LF or CR LF.
// A command substitution $( ) is read as a command of its own, also inside
// double quotes; its "$(" and ")" are plain text.
QList<Context> contextsOf(const QString &text);

// A placeholder: "<", a description holding Chinese without blanks, ">".
struct Placeholder {
    qsizetype begin;
    qsizetype length;
    QString word; // the description between "<" and ">"
};
QList<Placeholder> placeholdersOf(const QString &text);

} // namespace ShellText
