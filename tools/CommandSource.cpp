#include "CommandSource.h"

#include <QStringList>

namespace CommandSource {

namespace {
const QChar kSeparator = QLatin1Char('\t');
const QChar kNote = QLatin1Char('#');
const QChar kWordSeparator = QLatin1Char(',');
}

std::optional<QString> problemOf(const Command &command)
{
    if (command.name.trimmed().isEmpty())
        return QStringLiteral("名称是空的");
    if (command.code.trimmed().isEmpty())
        return QStringLiteral("命令是空的");
    for (const QString &field : QStringList{command.name, command.code} + command.words) {
        if (field.contains(kSeparator))
            return QStringLiteral("名称、命令和搜索词里不能有制表符");
        if (field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')))
            return QStringLiteral("名称、命令和搜索词里不能有换行,命令里的换行请写成“%”");
    }
    for (const QString &word : command.words) {
        if (word.trimmed().isEmpty())
            return QStringLiteral("搜索词是空的(多了一个“,”?)");
        if (word.contains(kWordSeparator))
            return QStringLiteral("搜索词里不能有“,”");
    }
    if (command.name.startsWith(kNote))
        return QStringLiteral("名称不能以“#”开头");
    return std::nullopt;
}

QList<Entry> entries(const QString &text, QList<ParseError> &errors)
{
    QList<Entry> found;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(kNote))
            continue;
        const int lineNumber = int(i) + 1;
        const qsizetype separator = line.indexOf(kSeparator);
        if (separator < 0) {
            errors.append({lineNumber, QStringLiteral("缺少名称与命令之间的制表符")});
            continue;
        }
        const qsizetype wordsAt = line.indexOf(kSeparator, separator + 1);
        Command command{line.left(separator), line.mid(separator + 1, wordsAt < 0 ? -1 : wordsAt - separator - 1), {}};
        if (wordsAt >= 0) {
            for (const QString &word : line.mid(wordsAt + 1).split(kWordSeparator))
                command.words.append(word.trimmed());
        }
        if (const auto problem = problemOf(command))
            errors.append({lineNumber, *problem});
        else
            found.append({lineNumber, command});
    }
    return found;
}

std::optional<ParseError> parse(const QString &text, QList<Command> &commands)
{
    commands.clear();
    QList<ParseError> errors;
    const QList<Entry> found = entries(text, errors);
    if (!errors.isEmpty())
        return errors.constFirst();
    for (const Entry &entry : found)
        commands.append(entry.command);
    return std::nullopt;
}

QString format(const QList<Command> &commands)
{
    QString text;
    for (const Command &command : commands)
        text += command.name + kSeparator + command.code
            + (command.words.isEmpty() ? QString() : kSeparator + command.words.join(kWordSeparator)) + QLatin1Char('\n');
    return text;
}

} // namespace CommandSource
