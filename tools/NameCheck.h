#pragma once

#include <QString>
#include <QStringList>

// What makes a command's name look like another one, or hide part of itself:
// control and invisible characters, blanks that are not the plain space,
// compatibility forms (Kangxi radicals, full-width letters) and words that
// mix scripts (a Cyrillic "А" among Latin letters).
namespace NameCheck {

// A name as the eye reads it: composed (NFC), without invisible format
// characters (bidirectional and zero-width controls, a byte order mark).
QString visibleForm(const QString &name);

// Why the name may deceive the eye, one reason each; empty when it cannot.
QStringList lookAlikeProblems(const QString &name);

} // namespace NameCheck
