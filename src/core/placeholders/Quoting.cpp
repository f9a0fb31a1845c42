#include "Quoting.h"

#include "Ascii.h"

#include <algorithm>

namespace Quoting {

namespace {

using ShellText::Context;

// Characters other than letters and digits that bash leaves alone in a word.
const QString kBareWordPunctuation = QStringLiteral("_-./:@%+=,");
// Characters that bash still expands inside double quotes ("!" interactively).
const QString kDoubleQuoteSpecials = QStringLiteral("$`\"\\!");
// Characters that bash expands in the body of an unquoted here-document.
const QString kHereDocSpecials = QStringLiteral("$`\\");

// Writes the value between an opening and a closing text, each character as
// piece() gives it.
template<typename Piece>
Written compose(const QString &value, QLatin1StringView open, Piece piece, QLatin1StringView close)
{
    Written out;
    out.text = open;
    out.starts.reserve(value.size() + 1);
    for (const QChar c : value) {
        out.starts.append(out.text.size());
        out.text += piece(c);
    }
    out.starts.append(out.text.size());
    out.text += close;
    return out;
}

QString asTypedPiece(QChar c)
{
    return QString(c);
}

QString inSingleQuotes(QChar c)
{
    return c == QLatin1Char('\'') ? QStringLiteral("'\\''") : QString(c);
}

Written singleQuotedWord(const QString &value, QLatin1StringView open, QLatin1StringView close)
{
    return compose(value, open, inSingleQuotes, close);
}

Written escaped(const QString &value, const QString &specials)
{
    return compose(
        value, {}, [&](QChar c) -> QString { return specials.contains(c) ? QLatin1Char('\\') + QString(c) : QString(c); },
        {});
}

bool holdsAny(const QString &value, const QString &characters)
{
    return std::any_of(value.cbegin(), value.cend(), [&](QChar c) { return characters.contains(c); });
}

} // namespace

Written asTyped(const QString &value)
{
    return compose(value, {}, asTypedPiece, {});
}

bool isBareWord(const QString &value)
{
    return !value.isEmpty() && std::all_of(value.cbegin(), value.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return Ascii::isLetter(u) || Ascii::isDigit(u) || kBareWordPunctuation.contains(c);
    });
}

Written written(const QString &value, Context context)
{
    switch (context) {
    case Context::SingleQuoted:
        return compose(value, {}, inSingleQuotes, {});
    case Context::AnsiCQuoted:
        return escaped(value, QStringLiteral("\\'"));
    case Context::DoubleQuoted:
        // The quotes are closed around the value, which stands single-quoted between them.
        if (holdsAny(value, kDoubleQuoteSpecials))
            return singleQuotedWord(value, QLatin1StringView("\"'"), QLatin1StringView("'\""));
        return asTyped(value);
    case Context::QuotedHereDoc:
    case Context::Arithmetic: // a number; anything else is never copied from there
    case Context::Unsure:     // never copied
        return asTyped(value);
    case Context::HereDoc:
        return escaped(value, kHereDocSpecials);
    case Context::Plain:
    case Context::Comment:
    case Context::HereDocEnd:
        break;
    }
    if (isBareWord(value))
        return asTyped(value);
    return singleQuotedWord(value, QLatin1StringView("'"), QLatin1StringView("'"));
}

} // namespace Quoting
