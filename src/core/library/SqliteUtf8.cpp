#include "SqliteUtf8.h"

#include "Ascii.h"

#include <cstdint>
#include <iterator>

namespace SqliteUtf8 {

namespace {

// The forms a character can take: the largest character of each length and
// the lead bits of that length. A character of 2^31 or more takes the lead
// byte 0xFE, which SQLite reads as no payload, and six continuation bytes,
// whose last 32 bits are the character.
struct Form {
    char32_t largest;
    unsigned char lead;
    int continuations;
};
constexpr Form kForms[] = {
    {0x7FF, 0xC0, 1}, {0xFFFF, 0xE0, 2}, {0x1FFFFF, 0xF0, 3}, {0x3FFFFFF, 0xF8, 4}, {0x7FFFFFFF, 0xFC, 5},
    {0xFFFFFFFF, 0xFE, 6},
};
constexpr unsigned kPayloadBits = 6;
constexpr unsigned char kContinuation = 0x80;
constexpr char32_t kPayloadMask = 0x3F;
constexpr unsigned char kFirstNonAscii = 0x80;
constexpr struct {
    unsigned char first;
    unsigned char last;
} kPlainThreeByteLeads{0xE1, 0xEC};
constexpr unsigned char kPlainThreeByteLeadAfterSurrogates = 0xEE;
constexpr std::ptrdiff_t kThreeBytes = 3;

// The form of a character above U+007F.
const Form &formOf(char32_t c)
{
    for (const Form &form : kForms) {
        if (c <= form.largest)
            return form;
    }
    return kForms[std::size(kForms) - 1];
}

unsigned char leadByte(const Form &form, char32_t c)
{
    // A 64-bit shift: the longest form's lead byte carries no payload.
    return (unsigned char)(form.lead | (std::uint64_t(c) >> (kPayloadBits * unsigned(form.continuations))));
}

void write(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(Ascii::toLower(c)));
        return;
    }
    const Form &form = formOf(c);
    out.push_back(char(leadByte(form, c)));
    for (int i = form.continuations - 1; i >= 0; --i)
        out.push_back(char(kContinuation | ((c >> (kPayloadBits * unsigned(i))) & kPayloadMask)));
}

// Whether the bytes read as c are the form write gives it.
bool inItsForm(const unsigned char *bytes, std::size_t length, char32_t c)
{
    const Form &form = formOf(c);
    return c != kReplacement && length == std::size_t(form.continuations) + 1 && bytes[0] == leadByte(form, c);
}

// Whether a three-byte character in its form, as most Chinese ones are,
// starts at bytes: a lead byte that neither allows an overlong form (0xE0)
// nor a surrogate (0xED) nor U+FFFE, U+FFFF or U+FFFD (0xEF), then exactly
// two continuation bytes.
bool isPlainThreeByte(const unsigned char *bytes)
{
    return ((bytes[0] >= kPlainThreeByteLeads.first && bytes[0] <= kPlainThreeByteLeads.last)
            || bytes[0] == kPlainThreeByteLeadAfterSurrogates)
           && isContinuation(bytes[1]) && isContinuation(bytes[2]) && !isContinuation(bytes[3]);
}

} // namespace

void appendCanonical(std::string &out, const char *text)
{
    // Most bytes stand as they are (ASCII other than capitals, characters
    // already in their form): they are copied a run at a time.
    const auto *t = reinterpret_cast<const unsigned char *>(text);
    const unsigned char *run = t;
    const auto endRun = [&](const unsigned char *end) {
        out.append(reinterpret_cast<const char *>(run), std::size_t(end - run));
    };
    while (*t) {
        const unsigned char *character = t;
        if (*t < kFirstNonAscii && !Ascii::isUpper(*t)) {
            ++t;
            continue;
        }
        if (isPlainThreeByte(t)) {
            t += kThreeBytes;
            continue;
        }
        const char32_t c = read(t);
        if (c >= kFirstNonAscii && inItsForm(character, std::size_t(t - character), c))
            continue;
        endRun(character);
        write(out, c);
        run = t;
    }
    endRun(t);
}

} // namespace SqliteUtf8
