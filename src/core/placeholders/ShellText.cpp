#include "ShellText.h"

#include <QRegularExpression>

namespace ShellText {

namespace {

// A character after which a "#" starts a comment.
bool startsWord(const QString &text, qsizetype i)
{
    return i == 0 || text.at(i - 1).isSpace() || QStringLiteral(";&|()").contains(text.at(i - 1));
}

struct HereDoc {
    QString delimiter;
    bool quoted;
    bool stripTabs;
};

// Reads the here-document operator "<<" at i; returns the index after its word.
qsizetype readHereDoc(const QString &text, qsizetype i, HereDoc &doc)
{
    qsizetype j = i + 2;
    doc.stripTabs = j < text.size() && text.at(j) == QLatin1Char('-');
    if (doc.stripTabs)
        ++j;
    while (j < text.size() && (text.at(j) == QLatin1Char(' ') || text.at(j) == QLatin1Char('\t')))
        ++j;
    const qsizetype wordStart = j;
    while (j < text.size() && !text.at(j).isSpace() && !QStringLiteral(";&|<>()").contains(text.at(j)))
        ++j;
    const QString word = text.mid(wordStart, j - wordStart);
    doc.quoted = word.contains(QLatin1Char('\'')) || word.contains(QLatin1Char('"')) || word.contains(QLatin1Char('\\'));
    doc.delimiter = QString(word).remove(QLatin1Char('\'')).remove(QLatin1Char('"')).remove(QLatin1Char('\\'));
    return j;
}

// Marks the bodies of the pending here-documents, which start at i; returns
// the index after the last delimiter line.
qsizetype markHereDocs(const QString &text, qsizetype i, const QList<HereDoc> &docs, QList<Context> &contexts)
{
    for (const HereDoc &doc : docs) {
        while (i < text.size()) {
            qsizetype end = text.indexOf(QLatin1Char('\n'), i);
            if (end < 0)
                end = text.size();
            QString line = text.mid(i, end - i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (doc.stripTabs)
                line.remove(QRegularExpression(QStringLiteral("^\\t+")));
            const bool last = line == doc.delimiter;
            for (qsizetype k = i; k < end; ++k)
                contexts[k] = last ? Context::Plain : (doc.quoted ? Context::QuotedHereDoc : Context::HereDoc);
            i = end + 1;
            if (last)
                break;
        }
    }
    return i;
}

} // namespace

QList<Context> contextsOf(const QString &text)
{
    QList<Context> contexts(text.size(), Context::Plain);
    QList<HereDoc> pending;
    Context state = Context::Plain;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        switch (state) {
        case Context::SingleQuoted:
        case Context::AnsiCQuoted:
            contexts[i] = state;
            if (c == QLatin1Char('\''))
                state = Context::Plain;
            else if (state == Context::AnsiCQuoted && c == QLatin1Char('\\') && i + 1 < text.size())
                contexts[++i] = state;
            ++i;
            continue;
        case Context::DoubleQuoted:
            contexts[i] = state;
            if (c == QLatin1Char('"'))
                state = Context::Plain;
            else if (c == QLatin1Char('\\') && i + 1 < text.size())
                contexts[++i] = state;
            ++i;
            continue;
        case Context::Comment:
            if (c == QLatin1Char('\n')) {
                state = Context::Plain;
                continue;
            }
            contexts[i++] = state;
            continue;
        default:
            break;
        }
        if (c == QLatin1Char('\\')) {
            i += 2;
        } else if (c == QLatin1Char('\'')) {
            state = Context::SingleQuoted;
            contexts[i++] = state;
        } else if (c == QLatin1Char('$') && next == QLatin1Char('\'')) {
            state = Context::AnsiCQuoted;
            contexts[i++] = state;
            contexts[i++] = state;
        } else if (c == QLatin1Char('"')) {
            state = Context::DoubleQuoted;
            contexts[i++] = state;
        } else if (c == QLatin1Char('#') && startsWord(text, i)) {
            state = Context::Comment;
        } else if (c == QLatin1Char('<') && next == QLatin1Char('<')
                   && (i + 2 >= text.size() || text.at(i + 2) != QLatin1Char('<'))) {
            HereDoc doc;
            i = readHereDoc(text, i, doc);
            pending.append(doc);
        } else if (c == QLatin1Char('\n') && !pending.isEmpty()) {
            i = markHereDocs(text, i + 1, pending, contexts);
            pending.clear();
        } else {
            ++i;
        }
    }
    return contexts;
}

QList<Placeholder> placeholdersOf(const QString &text)
{
    // "<" and ">" around a description holding Chinese, without blanks.
    static const QRegularExpression pattern(QStringLiteral("<([^<>\\s]*\\p{Han}[^<>\\s]*)>"));
    QList<Placeholder> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        found.append({match.capturedStart(), match.capturedLength(), match.captured(1)});
    }
    return found;
}

} // namespace ShellText
