#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

// The program's options, answered on the terminal before any window is made,
// so they need no display: --help and --version, and a message for anything
// else. Without arguments the window starts.
namespace CommandLine {

// The exit status for arguments the program does not know, as GNU tools give it.
inline constexpr int kUsageStatus = 2;

enum class Language { Chinese, English };

// What the program prints, where, and the status it then ends with.
struct Reply {
    QByteArray text; // UTF-8
    bool toErrorStream = false;
    int status = 0;
};

// The reply to the arguments after the program's name; none when there are
// none. The first argument decides.
std::optional<Reply> replyTo(const QByteArrayList &arguments, Language language);

// The language of terminal messages from the locale variables' values,
// strongest first: the first one set decides; English when it names an
// English locale, else Chinese.
Language languageOf(const QByteArrayList &localeValues);

// Answers the process's command line on the terminal in the environment's
// language; the status to end with, or none when the window is to start.
std::optional<int> answer(int argc, const char *const *argv);

} // namespace CommandLine
