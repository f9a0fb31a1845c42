#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <optional>

// The program's options, answered on the terminal before any window is made,
// so they need no display: --help, --version, --search and --show, and a
// message for anything else. Qt's own options (-platform, -session, …) are
// left for Qt, which takes them when the window starts; without any other
// argument the window starts.
namespace CommandLine {

// The exit status for arguments the program does not know, as GNU tools give
// it, and for a library that cannot be read.
inline constexpr int kUsageStatus = 2;
inline constexpr int kTroubleStatus = 2;
// The exit status when a search or a name finds nothing, as grep gives it.
inline constexpr int kNotFoundStatus = 1;

enum class Language { Chinese, English };

// What the program prints, where, and the status it then ends with.
struct Reply {
    QByteArray text; // UTF-8
    bool toErrorStream = false;
    int status = 0;
};

// The reply to the arguments after the program's name; none when the window
// is to start. The first argument that is not Qt's decides; what it prints
// from the arguments and the library is made safe for a terminal
// (TerminalText). appDir is the program's folder, where --search and --show
// find the library.
std::optional<Reply> replyTo(const QByteArrayList &arguments, Language language, const QString &appDir);

// The language of terminal messages from the locale variables' values,
// strongest first (LANGUAGE, a list separated by ":", then LC_ALL,
// LC_MESSAGES and LANG): the first one set decides; English when it names
// an English locale, else Chinese.
Language languageOf(const QByteArrayList &localeValues);

// Answers the process's command line on the terminal in the environment's
// language; the status to end with, or none when the window is to start.
std::optional<int> answer(int argc, const char *const *argv, const QString &appDir);

} // namespace CommandLine
