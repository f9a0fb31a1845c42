#include "CommandLine.h"

#include "CommandLineTexts.h"

#include <QtGlobal>

#include <cstdio>

#ifndef TOVANU_VERSION
#error "the build sets TOVANU_VERSION"
#endif

namespace CommandLine {

namespace {

QByteArray unknown(const QByteArray &argument, Language language)
{
    if (language == Language::English)
        return CommandLineTexts::kUnknownBeforeEnglish + argument + CommandLineTexts::kUnknownAfterEnglish;
    return CommandLineTexts::kUnknownBeforeChinese + argument + CommandLineTexts::kUnknownAfterChinese;
}

} // namespace

std::optional<Reply> replyTo(const QByteArrayList &arguments, Language language)
{
    if (arguments.isEmpty())
        return std::nullopt;
    const QByteArray &first = arguments.first();
    if (first == CommandLineTexts::kHelpShort || first == CommandLineTexts::kHelpLong)
        return Reply{language == Language::English ? CommandLineTexts::kHelpEnglish : CommandLineTexts::kHelpChinese};
    if (first == CommandLineTexts::kVersionShort || first == CommandLineTexts::kVersionLong)
        return Reply{QByteArray(CommandLineTexts::kVersionBefore) + TOVANU_VERSION + '\n'};
    return Reply{unknown(first, language), true, kUsageStatus};
}

Language languageOf(const QByteArrayList &localeValues)
{
    for (const QByteArray &value : localeValues) {
        if (!value.isEmpty())
            return value.startsWith(CommandLineTexts::kEnglishPrefix) ? Language::English : Language::Chinese;
    }
    return Language::Chinese;
}

std::optional<int> answer(int argc, const char *const *argv)
{
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    QByteArrayList localeValues;
    for (const char *variable : CommandLineTexts::kLocaleVariables)
        localeValues.append(qgetenv(variable));
    const std::optional<Reply> reply = replyTo(arguments, languageOf(localeValues));
    if (!reply)
        return std::nullopt;
    std::FILE *stream = reply->toErrorStream ? stderr : stdout;
    std::fwrite(reply->text.constData(), 1, size_t(reply->text.size()), stream);
    std::fflush(stream);
    return reply->status;
}

} // namespace CommandLine
