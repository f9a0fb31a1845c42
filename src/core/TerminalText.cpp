#include "TerminalText.h"

#include "library/SqliteUtf8.h"

#include <QStringBuilder>

namespace TerminalText {

namespace {

constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstC1 = 0x80;
constexpr unsigned char kLastC1 = 0x9F;
constexpr unsigned char kC1Lead = 0xC2;

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

} // namespace TerminalText
