#include "CommandLine.h"

#include "CommandLineTexts.h"
#include "library/SqliteUtf8.h"
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

constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstC1 = 0x80;
constexpr unsigned char kLastC1 = 0x9F;
constexpr unsigned char kC1Lead = 0xC2;

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
        if (isOneOf(option, kQtOptionsWithValue))
            ++i;
        else if (!isOneOf(option, kQtFlags) && !(name != option && isOneOf(name, kQtOptionsWithValue)))
            ours.append(arguments.at(i));
    }
    return ours;
}

// The bytes of the well-formed UTF-8 character at text[i], 0 when there is
// none there (a stray, overlong, surrogate or cut-off form).
qsizetype utf8Length(const QByteArray &text, qsizetype i)
{
    const auto byteAt = [&text](qsizetype at) { return static_cast<unsigned char>(text.at(at)); };
    const unsigned char lead = byteAt(i);
    const qsizetype length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    // After these leads the second byte's range is narrower: below it lie
    // overlong forms, above it surrogates or characters beyond U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byteAt(i + 1) < low || byteAt(i + 1) > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (!SqliteUtf8::isContinuation(byteAt(i + k)))
            return 0;
    }
    return length;
}

QByteArray hexEscape(const char *form, unsigned char byte)
{
    return QByteArray(form) + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
}

QByteArray message(Language language, const char *chinese, const char *english, const QByteArray &inner)
{
    const QByteArray text(language == Language::English ? english : chinese);
    return QByteArray(text).replace("%1", printable(inner));
}

Reply refusal(Language language, const char *chinese, const char *english, const QByteArray &inner)
{
    return Reply{message(language, chinese, english, inner), true, kUsageStatus};
}

Reply trouble(const QString &reason)
{
    return Reply{printable(reason.toUtf8(), true) + '\n', true, kTroubleStatus};
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
        listed += printable(name.toUtf8()) + '\n';
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
    return Reply{printable((**command).toUtf8(), true) + '\n'};
}

} // namespace

QByteArray printable(const QByteArray &text, bool keepLineBreaks)
{
    QByteArray shown;
    for (qsizetype i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text.at(i));
        if (byte == '\n' && keepLineBreaks) {
            shown += '\n';
            ++i;
        } else if (byte < ' ' || byte == kDelete) {
            shown += hexEscape("\\x", byte);
            ++i;
        } else if (byte < kFirstC1) {
            shown += char(byte);
            ++i;
        } else if (const qsizetype length = utf8Length(text, i); length == 0) {
            shown += hexEscape("\\x", byte);
            ++i;
        } else if (byte == kC1Lead && static_cast<unsigned char>(text.at(i + 1)) <= kLastC1) {
            shown += hexEscape("\\u00", static_cast<unsigned char>(text.at(i + 1)));
            i += length;
        } else {
            shown += text.mid(i, length);
            i += length;
        }
    }
    return shown;
}

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
