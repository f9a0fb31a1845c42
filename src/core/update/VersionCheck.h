#pragma once

#include "Result.h"

#include <QString>

#include <optional>

// What the start-up check makes of the version file.
namespace VersionCheck {

// This program's entry of the version file: the text after the first marker
// up to the next marker or the end, with every separator removed and the
// blanks (spaces, tabs, CR, LF) at its two ends dropped. Nothing when the
// marker is missing or the entry is blank.
std::optional<QString> versionField(const QString &versionFile);

enum class Outcome {
    CheckFailed, // warn and run on
    UpToDate,    // run on without a word
    NewVersion,  // announce it, open the forum and end
};

struct Verdict {
    Outcome outcome;
    QString version; // the announced version, for NewVersion
};

// The verdict on a fetched version file, or on the failure to fetch it.
Verdict judge(const Result<QString> &versionFile);

// A long version is shown by its two ends: at most this many characters at
// each, holding at most this many line breaks.
inline constexpr qsizetype kShownEndLength = 40;
inline constexpr int kShownEndBreaks = 2;

// The version as the announcement shows it: whole when short, else its two
// ends with an ellipsis between, so that any version leaves the message a few
// lines tall. The verdict compares the version whole.
QString shownVersion(const QString &version);

// The message that announces a new version.
QString announcement(const QString &version);

} // namespace VersionCheck
