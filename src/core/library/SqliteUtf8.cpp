#include "SqliteUtf8.h"

#include "Ascii.h"

#include <cstdint>

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

void write(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(Ascii::toLower(c)));
        return;
    }
    for (const Form &form : kForms) {
        if (c > form.largest)
            continue;
        const unsigned shift = kPayloadBits * unsigned(form.continuations);
        // A 64-bit shift: the longest form's lead byte carries no payload.
        out.push_back(char(form.lead | (std::uint64_t(c) >> shift)));
        for (int i = form.continuations - 1; i >= 0; --i)
            out.push_back(char(kContinuation | ((c >> (kPayloadBits * unsigned(i))) & kPayloadMask)));
        return;
    }
}

} // namespace

void appendCanonical(std::string &out, const char *text)
{
    for (const auto *t = reinterpret_cast<const unsigned char *>(text); *t;)
        write(out, read(t));
}

} // namespace SqliteUtf8
