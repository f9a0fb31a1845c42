// A name and a term, split at the first line break: the pinyin search finds
// the name exactly when the term, in lowercase, occurs in the initials or the
// whole pinyin of one way to read the name, each way spelled out in full.
#include "library/PinyinIndex.h"
#include "library/PinyinReadings.h"

#include <QList>
#include <QString>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Names with more ways to read them are left to the unit tests.
constexpr std::size_t kMostReadings = 4096;

using Unit = std::vector<std::string>; // the readings of one character

std::vector<Unit> unitsOf(const QString &name)
{
    std::vector<Unit> units;
    for (const char32_t c : name.toUcs4()) {
        if ((c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) {
            units.push_back({std::string(1, char(QChar::toLower(c)))});
            continue;
        }
        Unit readings;
        for (const std::uint16_t number : Pinyin::readingsOf(c))
            readings.emplace_back(Pinyin::syllable(number));
        if (!readings.empty())
            units.push_back(readings);
    }
    return units;
}

// Whether some reading of the units from the first on holds the term.
bool spelled(const std::vector<Unit> &units, std::size_t first, const std::string &initials,
             const std::string &whole, const std::string &term)
{
    if (first == units.size())
        return initials.find(term) != std::string::npos || whole.find(term) != std::string::npos;
    for (const std::string &reading : units[first]) {
        if (spelled(units, first + 1, initials + reading.front(), whole + reading, term))
            return true;
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
    const std::vector<Unit> units = unitsOf(name);
    std::size_t readings = 1;
    for (const Unit &unit : units) {
        readings *= unit.size();
        if (readings > kMostReadings)
            return 0;
    }
    PinyinIndex index;
    index.setNames({name});
    const bool found = !index.namesMatching(term).isEmpty();
    const bool expected = PinyinIndex::isPinyinTerm(term) && spelled(units, 0, {}, {}, term.toLower().toStdString());
    if (found != expected)
        std::abort();
    return 0;
}
