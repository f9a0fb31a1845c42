#include "CommandLine.h"

#include "CommandLineTexts.h"
#include "TerminalText.h"
#include "library/TerminalLibrary.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <iterator>

#ifndef TOVANU_VERSION
#error "the build sets TOVANU_VERSION"
#endif

namespace CommandLine {

namespace {

// Qt's own options, which the window's QApplication takes from the command
// line: those followed by a value (or joined to it by "="), and those that
// stand alone. Qt reads "--platform" as "-platform".
constexpr const char *kQtOptionsWithValue[] = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-qwindowicon",
    "-qwindowtitle", "-session", "-display", "-geometry", "-title", "-icon", "-style", "-stylesheet",
    "-qmljsdebugger", "-dialogs", "-fontengine"};
constexpr const char *kQtFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

// What text holds before the first separator; all of it when there is none.
QByteArray beforeFirst(const QByteArray &text, char separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}

bool isOneOf(const QByteArray &option, const auto &names)
{
    return std::any_of(std::begin(names), std::end(names), [&option](const char *name) { return option == name; });
}

// The arguments without Qt's options and their values.
QByteArrayList withoutQtOptions(const QByteArrayList &arguments)
{
    QByteArrayList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QByteArray option = arguments.at(i);
        if (option.startsWith("--"))
            option.remove(0, 1);
        const QByteArray name = beforeFirst(option, '=');
        const bool joined = name != option; // "-style=fusion"
        if (isOneOf(option, kQtOptionsWithValue))
            ++i; // and its value
        else if (!isOneOf(option, kQtFlags) && !(joined && isOneOf(name, kQtOptionsWithValue)))
            ours.append(arguments.at(i));
    }
    return ours;
}

QByteArray message(Language language, const char *chinese, const char *english, const QByteArray &inner)
{
    const QByteArray text(language == Language::English ? english : chinese);
    return QByteArray(text).replace("%1", TerminalText::printable(inner));
}

Reply refusal(Language language, const char *chinese, const char *english, const QByteArray &inner)
{
    return Reply{message(language, chinese, english, inner), true, kUsageStatus};
}

Reply trouble(const QString &reason)
{
    return Reply{TerminalText::printable(reason.toUtf8(), true) + '\n', true, kTroubleStatus};
}

Reply search(const QByteArray &text, Language language, const QString &appDir)
{
    const Result<QStringList> names = TerminalLibrary::namesFound(appDir, QString::fromUtf8(text));
    if (!names)
        return trouble(names.error());
    if (names->isEmpty())
        return Reply{message(language, CommandLineTexts::kNothingFoundChinese, CommandLineTexts::kNothingFoundEnglish, text),
                     true, kNotFoundStatus};
    QByteArray listed;
    for (const QString &name : *names)
        listed += TerminalText::printable(name.toUtf8()) + '\n';
    return Reply{listed};
}

Reply show(const QByteArray &name, Language language, const QString &appDir)
{
    const Result<std::optional<QString>> command = TerminalLibrary::commandOf(appDir, QString::fromUtf8(name));
    if (!command)
        return trouble(command.error());
    if (!*command)
        return Reply{message(language, CommandLineTexts::kNoSuchNameChinese, CommandLineTexts::kNoSuchNameEnglish, name),
                     true, kNotFoundStatus};
    return Reply{TerminalText::printable((**command).toUtf8(), true) + '\n'};
}

} // namespace

std::optional<Reply> replyTo(const QByteArrayList &arguments, Language language, const QString &appDir)
{
    const QByteArrayList ours = withoutQtOptions(arguments);
    if (ours.isEmpty())
        return std::nullopt;
    const QByteArray &first = ours.first();
    if (first == CommandLineTexts::kHelpShort || first == CommandLineTexts::kHelpLong)
        return Reply{language == Language::English ? CommandLineTexts::kHelpEnglish : CommandLineTexts::kHelpChinese};
    if (first == CommandLineTexts::kVersionShort || first == CommandLineTexts::kVersionLong)
        return Reply{QByteArray(CommandLineTexts::kVersionBefore) + TOVANU_VERSION + '\n'};
    for (const char *option : {CommandLineTexts::kSearch, CommandLineTexts::kShow}) {
        const QByteArray joined = QByteArray(option) + '=';
        if (first != option && !first.startsWith(joined))
            continue;
        const bool separate = first == option;
        if (separate && ours.size() < 2)
            return refusal(language, CommandLineTexts::kNeedsValueChinese, CommandLineTexts::kNeedsValueEnglish, option);
        if (const qsizetype extra = separate ? 2 : 1; ours.size() > extra)
            return refusal(language, CommandLineTexts::kUnknownChinese, CommandLineTexts::kUnknownEnglish, ours.at(extra));
        const QByteArray value = separate ? ours.at(1) : first.mid(joined.size());
        return option == CommandLineTexts::kSearch ? search(value, language, appDir) : show(value, language, appDir);
    }
    return refusal(language, CommandLineTexts::kUnknownChinese, CommandLineTexts::kUnknownEnglish, first);
}

Language languageOf(const QByteArrayList &localeValues)
{
    for (const QByteArray &value : localeValues) {
        const QByteArray first = beforeFirst(value, ':');
        if (!first.isEmpty())
            return first.startsWith(CommandLineTexts::kEnglishPrefix) ? Language::English : Language::Chinese;
    }
    return Language::Chinese;
}

std::optional<int> answer(int argc, const char *const *argv, const QString &appDir)
{
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    QByteArrayList localeValues;
    for (const char *variable : CommandLineTexts::kLocaleVariables)
        localeValues.append(qgetenv(variable));
    const std::optional<Reply> reply = replyTo(arguments, languageOf(localeValues), appDir);
    if (!reply)
        return std::nullopt;
    std::FILE *stream = reply->toErrorStream ? stderr : stdout;
    std::fwrite(reply->text.constData(), 1, size_t(reply->text.size()), stream);
    std::fflush(stream);
    return reply->status;
}

} // namespace CommandLine
