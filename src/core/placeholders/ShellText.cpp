#include "ShellText.h"

#include <QRegularExpression>

#include <algorithm>

namespace ShellText {

namespace {

// Characters after which a word begins.
const QString kWordStarts = QStringLiteral(";&|()");

bool startsWord(const QString &text, qsizetype i)
{
    return i == 0 || text.at(i - 1).isSpace() || kWordStarts.contains(text.at(i - 1));
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

// Where, in a line of an unquoted here-document, the shell starts running
// code (a substitution), or the line's end.
qsizetype codeInLine(const QString &text, qsizetype begin, qsizetype end)
{
    for (qsizetype i = begin; i < end; ++i) {
        if (text.at(i) == QLatin1Char('\\'))
            ++i;
        else if (text.at(i) == QLatin1Char('`') || QStringView(text).sliced(i, end - i).startsWith(QLatin1StringView("$(")))
            return i;
    }
    return end;
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
            const Context body = doc.quoted ? Context::QuotedHereDoc : Context::HereDoc;
            const qsizetype code = last || doc.quoted ? end : codeInLine(text, i, end);
            for (qsizetype k = i; k < end; ++k)
                contexts[k] = last ? Context::HereDocEnd : k < code ? body : Context::Unsure;
            i = end + 1;
            if (last)
                break;
        }
    }
    return i;
}

// Reads a command as bash does, as far as the contexts of its characters go.
class Reader
{
public:
    explicit Reader(const QString &text)
        : m_text(text)
        , m_contexts(text.size(), Context::Plain)
    {
    }

    QList<Context> read()
    {
        while (m_i < m_text.size()) {
            if (m_lost) {
                mark(Context::Unsure, m_text.size() - m_i);
                break;
            }
            switch (m_state) {
            case Context::SingleQuoted:
            case Context::AnsiCQuoted:
                readSingleQuoted();
                break;
            case Context::DoubleQuoted:
                readDoubleQuoted();
                break;
            case Context::Comment:
                if (m_text.at(m_i) == QLatin1Char('\n'))
                    m_state = Context::Plain;
                else
                    mark(Context::Comment);
                break;
            case Context::Arithmetic:
                readArithmetic();
                break;
            case Context::Unsure:
                readBackquoted();
                break;
            case Context::Plain:
            case Context::QuotedHereDoc:
            case Context::HereDoc:
            case Context::HereDocEnd:
                readPlain();
                break;
            }
        }
        return m_contexts;
    }

private:
    // A substitution or arithmetic being read: the context around it, and
    // the "(" opened inside it and not yet closed.
    struct Nest {
        Context outside;
        int parens = 0;
    };

    bool holds(QLatin1StringView text) const { return QStringView(m_text).sliced(m_i).startsWith(text); }

    // Gives the next `count` characters the context.
    void mark(Context context, qsizetype count = 1)
    {
        for (const qsizetype end = std::min(m_i + count, m_text.size()); m_i < end; ++m_i)
            m_contexts[m_i] = context;
    }

    void open(Context inside, Context marked, qsizetype count)
    {
        m_nests.append({m_state});
        mark(marked, count);
        m_state = inside;
    }

    void close(Context marked, qsizetype count)
    {
        mark(marked, count);
        m_state = m_nests.takeLast().outside;
    }

    // "$((", "$(" or "`" at the current character, where the shell expands them.
    bool openExpansion()
    {
        if (holds(QLatin1StringView("$((")))
            open(Context::Arithmetic, Context::Arithmetic, 3);
        else if (holds(QLatin1StringView("$(")))
            open(Context::Plain, Context::Plain, 2);
        else if (holds(QLatin1StringView("`")))
            open(Context::Unsure, Context::Unsure, 1);
        else
            return false;
        return true;
    }

    void readSingleQuoted()
    {
        const QChar c = m_text.at(m_i);
        const Context state = m_state;
        if (c == QLatin1Char('\''))
            m_state = Context::Plain;
        mark(state, state == Context::AnsiCQuoted && c == QLatin1Char('\\') ? 2 : 1);
    }

    void readDoubleQuoted()
    {
        const QChar c = m_text.at(m_i);
        if (c == QLatin1Char('\\')) {
            mark(Context::DoubleQuoted, 2);
        } else if (!openExpansion()) {
            if (c == QLatin1Char('"'))
                m_state = Context::Plain;
            mark(Context::DoubleQuoted);
        }
    }

    void readArithmetic()
    {
        const QChar c = m_text.at(m_i);
        int &parens = m_nests.last().parens;
        if (c == QLatin1Char('('))
            ++parens;
        else if (c == QLatin1Char(')') && parens > 0)
            --parens;
        else if (c == QLatin1Char(')'))
            return close(Context::Arithmetic, holds(QLatin1StringView("))")) ? 2 : 1);
        mark(Context::Arithmetic);
    }

    void readBackquoted()
    {
        if (m_text.at(m_i) == QLatin1Char('`'))
            return close(Context::Unsure, 1);
        mark(Context::Unsure, m_text.at(m_i) == QLatin1Char('\\') ? 2 : 1);
    }

    void readPlain()
    {
        const QChar c = m_text.at(m_i);
        if (c == QLatin1Char('\\')) {
            mark(Context::Plain, 2);
        } else if (c == QLatin1Char('\'')) {
            m_state = Context::SingleQuoted;
            mark(m_state);
        } else if (holds(QLatin1StringView("$'"))) {
            m_state = Context::AnsiCQuoted;
            mark(m_state, 2);
        } else if (c == QLatin1Char('"')) {
            m_state = Context::DoubleQuoted;
            mark(m_state);
        } else if (startsWord(m_text, m_i) && holds(QLatin1StringView("(("))) {
            open(Context::Arithmetic, Context::Arithmetic, 2);
        } else if (!openExpansion()) {
            readCode(c);
        }
    }

    // An unquoted character that is not a quote or an expansion.
    void readCode(QChar c)
    {
        const bool wordStart = startsWord(m_text, m_i);
        if (c == QLatin1Char('(') && !m_nests.isEmpty()) {
            ++m_nests.last().parens;
            mark(Context::Plain);
        } else if (c == QLatin1Char(')') && !m_nests.isEmpty() && m_nests.last().parens == 0) {
            close(Context::Plain, 1);
        } else if (c == QLatin1Char(')') && !m_nests.isEmpty()) {
            --m_nests.last().parens;
            mark(Context::Plain);
        } else if (c == QLatin1Char('#') && wordStart) {
            m_state = Context::Comment;
        } else if (holds(QLatin1StringView("<<")) && !holds(QLatin1StringView("<<<"))) {
            HereDoc doc;
            m_i = readHereDoc(m_text, m_i, doc);
            m_pending.append(doc);
        } else if (c == QLatin1Char('\n') && !m_pending.isEmpty()) {
            m_i = markHereDocs(m_text, m_i + 1, m_pending, m_contexts);
            m_pending.clear();
        } else {
            // A "case" inside a substitution: its patterns end in ")" as the
            // substitution does, which only a full parser tells apart.
            static const QRegularExpression caseWord(QStringLiteral("\\Gcase\\s"));
            m_lost = wordStart && !m_nests.isEmpty() && caseWord.match(m_text, m_i).hasMatch();
            mark(Context::Plain);
        }
    }

    const QString &m_text;
    QList<Context> m_contexts;
    QList<HereDoc> m_pending;
    QList<Nest> m_nests;
    Context m_state = Context::Plain;
    qsizetype m_i = 0;
    bool m_lost = false; // the rest of the text cannot be read with certainty
};

} // namespace

QList<Context> contextsOf(const QString &text)
{
    return Reader(text).read();
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
