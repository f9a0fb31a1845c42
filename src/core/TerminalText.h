#pragma once

#include <QByteArray>

// Text printed on a terminal, made safe to print there.
namespace TerminalText {

// Every control character (C0, DEL, C1) and every byte that is not part of
// well-formed UTF-8 written as \xHH, or \u00HH for a C1 character, so that
// nothing printed acts on the terminal; keepLineBreaks keeps "\n" as it is.
QByteArray printable(const QByteArray &text, bool keepLineBreaks = false);

} // namespace TerminalText
