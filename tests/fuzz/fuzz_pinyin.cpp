// A name and a term, split at the first line break: the pinyin search finds
// the name exactly when the term, in lowercase, is spelled from some
// character of the name on, each character by a non-empty start of one of
// its readings (an ASCII letter by itself), until the term is used up;
// worked out here the plain way, a set of term positions per character.
#include "library/PinyinIndex.h"
#include "library/PinyinReadings.h"
#include "library/SearchBudget.h"

#include <QList>
#include <QString>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using Unit = std::vector<std::string>; // the readings of one character; none for any other

std::vector<Unit> unitsOf(const QString &name)
{
    std::vector<Unit> units;
    for (const char32_t c : name.toUcs4()) {
        if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) {
            units.push_back({std::string(1, char(QChar::toLower(c)))});
            continue;
        }
        Unit readings;
        for (const std::uint16_t number : Pinyin::readingsOf(c))
            readings.emplace_back(Pinyin::syllable(number));
        units.push_back(readings);
    }
    return units;
}

bool spelled(const std::vector<Unit> &units, const std::string &term)
{
    std::set<std::size_t> reached;
    for (const Unit &unit : units) {
        reached.insert(0); // every character may start the term
        std::set<std::size_t> next;
        for (const std::size_t position : reached) {
            for (const std::string &reading : unit) {
                for (std::size_t length = 1; length <= reading.size() && position + length <= term.size(); ++length) {
                    if (term.compare(position, length, reading, 0, length) != 0)
                        break;
                    if (position + length == term.size())
                        return true;
                    next.insert(position + length);
                }
            }
        }
        reached.swap(next);
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype lineBreak = input.indexOf(QLatin1Char('\n'));
    if (lineBreak < 0)
        return 0;
    const QString name = input.left(lineBreak);
    const QString term = input.mid(lineBreak + 1);
    PinyinIndex index;
    index.add(name);
    SearchBudget budget = SearchBudget::unlimited();
    const Result<std::vector<int>> found = index.find(term, budget);
    if (!found)
        std::abort();
    const bool expected = PinyinIndex::isPinyinTerm(term) && spelled(unitsOf(name), term.toLower().toStdString());
    if (!found->empty() != expected)
        std::abort();
    return 0;
}
