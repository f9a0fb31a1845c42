#include "PinyinIndex.h"

#include "Ascii.h"
#include "LibraryTexts.h"
#include "PinyinReadings.h"
#include "SearchBudget.h"

#include <algorithm>
#include <array>
#include <string>

// A name's key holds one unit for each of its characters:
//   below kChoice     the one syllable (its number) a character reads as;
//   kChoice | n       a character with n readings, whose numbers follow;
//   kLatin | letter   an ASCII letter, in lowercase;
//   kNothing          any other character (one unit for a run of them).
// The search runs over a key once, keeping the set of term positions that
// the characters read so far reach (bit p: the term's first p letters used);
// each character may also start the term, from position 0.

namespace {

constexpr std::uint16_t kChoice = 0x4000;
constexpr std::uint16_t kLatin = 0x8000;
constexpr std::uint16_t kNothing = 0xC000;
constexpr std::uint16_t kKindMask = 0xC000;
constexpr std::size_t kLetters = 26;
constexpr std::size_t kWordBits = 64;
// Names looked at before their work is spent from the budget.
constexpr std::size_t kNamesPerSpending = 1024;

std::uint32_t letterBit(char letter)
{
    return 1u << (letter - 'a');
}

std::uint32_t lettersOf(std::string_view text)
{
    std::uint32_t letters = 0;
    for (const char c : text)
        letters |= Ascii::isLetter(c) ? letterBit(c) : 0;
    return letters;
}

// The term positions reached: Words 64-bit words, bit 0 of the first word
// for position 0.
template<std::size_t Words>
struct Positions {
    std::array<std::uint64_t, Words> words{};

    static Positions start()
    {
        Positions start;
        start.words[0] = 1;
        return start;
    }
    bool none() const
    {
        return std::all_of(words.begin(), words.end(), [](std::uint64_t word) { return word == 0; });
    }
    bool has(std::size_t position) const { return words[position / kWordBits] >> (position % kWordBits) & 1; }
    void set(std::size_t position) { words[position / kWordBits] |= std::uint64_t(1) << (position % kWordBits); }
    Positions &operator|=(const Positions &other)
    {
        for (std::size_t i = 0; i < Words; ++i)
            words[i] |= other.words[i];
        return *this;
    }
    // The positions after reading one more letter, from those of them where
    // the term has that letter.
    Positions advancedOver(const Positions &letter) const
    {
        Positions next;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < Words; ++i) {
            const std::uint64_t word = words[i] & letter.words[i];
            next.words[i] = word << 1 | carry;
            carry = word >> (kWordBits - 1);
        }
        return next;
    }
};

// A term ready to be run over keys.
template<std::size_t Words>
class Term
{
public:
    explicit Term(const std::string &term)
        : m_length(term.size())
        , m_fromStart(Pinyin::syllableCount())
    {
        for (std::size_t i = 0; i < term.size(); ++i)
            m_letters[std::size_t(term[i] - 'a')].set(i);
        for (std::size_t number = 0; number < m_fromStart.size(); ++number)
            m_fromStart[number] = overSyllable(Positions<Words>::start(), std::uint16_t(number));
    }

    bool matches(const std::uint16_t *unit, const std::uint16_t *end) const
    {
        Positions<Words> reached;
        while (unit != end) {
            const std::uint16_t kind = *unit & kKindMask;
            if (kind == kNothing) {
                reached = {};
                ++unit;
                continue;
            }
            const bool fresh = reached.none();
            Positions<Words> from = reached;
            from.set(0);
            if (kind == kLatin) {
                reached = from.advancedOver(letter(char(*unit++ & ~kLatin)));
            } else {
                const std::size_t readings = kind == kChoice ? *unit++ & ~kChoice : 1;
                reached = {};
                for (std::size_t i = 0; i < readings; ++i, ++unit)
                    reached |= fresh ? m_fromStart[*unit] : overSyllable(from, *unit);
            }
            if (reached.has(m_length))
                return true;
        }
        return false;
    }

private:
    const Positions<Words> &letter(char c) const { return m_letters[std::size_t(c - 'a')]; }

    // Where the non-empty starts of the syllable lead from the positions.
    Positions<Words> overSyllable(Positions<Words> positions, std::uint16_t number) const
    {
        Positions<Words> reached;
        for (const char c : Pinyin::syllable(number)) {
            positions = positions.advancedOver(letter(c));
            if (positions.none())
                break;
            reached |= positions;
        }
        return reached;
    }

    std::size_t m_length;
    std::array<Positions<Words>, kLetters> m_letters{};
    std::vector<Positions<Words>> m_fromStart; // per syllable, from position 0
};

} // namespace

bool PinyinIndex::isPinyinTerm(const QString &term)
{
    return !term.isEmpty() && term.size() <= kLongestTerm
        && std::all_of(term.cbegin(), term.cend(), [](QChar c) { return Ascii::isLetter(c.unicode()); });
}

void PinyinIndex::add(const QString &name)
{
    std::uint32_t letters = 0;
    std::uint32_t initials = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name.at(i), name.at(i + 1));
            ++i;
        }
        if (Ascii::isLetter(c)) {
            const char lower = char(Ascii::toLower(c));
            m_units.push_back(std::uint16_t(kLatin | std::uint16_t(lower)));
            letters |= letterBit(lower);
            initials |= letterBit(lower);
            continue;
        }
        const auto readings = Pinyin::readingsOf(c);
        if (readings.empty()) {
            if (m_units.size() == m_starts.back() || m_units.back() != kNothing)
                m_units.push_back(kNothing);
            continue;
        }
        if (readings.size() > 1)
            m_units.push_back(std::uint16_t(kChoice | readings.size()));
        for (const std::uint16_t number : readings) {
            m_units.push_back(number);
            letters |= lettersOf(Pinyin::syllable(number));
            initials |= letterBit(Pinyin::syllable(number).front());
        }
    }
    m_starts.push_back(m_units.size());
    m_letters.push_back(letters);
    m_initials.push_back(initials);
}

Result<std::vector<int>> PinyinIndex::find(const QString &term, SearchBudget &budget) const
{
    if (!isPinyinTerm(term))
        return std::vector<int>();
    const std::string lower = term.toLower().toStdString();
    // One word holds positions 0 to 63.
    if (lower.size() < kWordBits)
        return findWith<1>(lower, budget);
    return findWith<(kLongestTerm + kWordBits) / kWordBits>(lower, budget);
}

template<std::size_t Words>
Result<std::vector<int>> PinyinIndex::findWith(const std::string &term, SearchBudget &budget) const
{
    const Term<Words> pattern(term);
    // A name holds every letter of the term, and a character or a Latin
    // letter that starts with its first; for a term of one letter, that is
    // the match.
    const std::uint32_t letters = lettersOf(term);
    const std::uint32_t initial = letterBit(term.front());
    const bool oneLetter = term.size() == 1;
    std::vector<int> found;
    for (std::size_t i = 0; i < size(); ++i) {
        // The names up to the next spending: a step each, and one for each
        // word of positions over each unit of their keys.
        if (i % kNamesPerSpending == 0) {
            const std::size_t end = std::min(size(), i + kNamesPerSpending);
            if (!budget.spend(end - i + (m_starts[end] - m_starts[i]) * Words))
                return Failure{QString::fromUtf8(LibraryTexts::kSearchTooComplex)};
        }
        if ((letters & ~m_letters[i]) == 0 && (m_initials[i] & initial) != 0
            && (oneLetter || pattern.matches(m_units.data() + m_starts[i], m_units.data() + m_starts[i + 1])))
            found.push_back(int(i));
    }
    return found;
}
