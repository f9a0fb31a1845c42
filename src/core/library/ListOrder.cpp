#include "ListOrder.h"

#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <future>
#include <iterator>
#include <string>
#include <string_view>

namespace {
// Room for a key in bytes per UTF-16 unit of the name, and beyond it: enough
// for most names, so their key is written in one call.
constexpr std::size_t kKeyBytesPerUnit = 3;
constexpr std::size_t kKeySlack = 16;
// From this many names on, their keys are made on two threads.
constexpr int kNamesForTwoThreads = 4096;
} // namespace

void ListOrder::CollatorCloser::operator()(UCollator *collator) const
{
    ucol_close(collator);
}

ListOrder::ListOrder(Collator collator)
    : m_collator(std::move(collator))
{
}

Result<ListOrder> ListOrder::open()
{
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open("zh_CN", &status));
    if (U_SUCCESS(status)) {
        // Secondary strength: accents count, case does not.
        ucol_setStrength(collator.get(), UCOL_SECONDARY);
        // Chinese collation puts Han before Latin; a Chinese Windows list
        // box lists Latin names first.
        const int32_t latinFirst[] = {USCRIPT_LATIN, USCRIPT_HAN};
        ucol_setReorderCodes(collator.get(), latinFirst, int32_t(std::size(latinFirst)), &status);
    }
    if (U_FAILURE(status))
        return Failure{QString::fromLatin1(u_errorName(status))};
    return ListOrder(std::move(collator));
}

namespace {

// The collation keys of a run of names, one after the other: key i runs
// from ends[i] to ends[i + 1].
struct Keys {
    std::string bytes;
    std::vector<std::size_t> ends{0};

    std::string_view at(std::size_t i) const { return std::string_view(bytes).substr(ends[i], ends[i + 1] - ends[i]); }
};

Keys keysOf(const UCollator *collator, int from, int to, const std::function<QString(int)> &nameOf)
{
    Keys keys;
    keys.ends.reserve(std::size_t(to - from) + 1);
    for (int i = from; i < to; ++i) {
        const QString name = nameOf(i);
        const auto *text = reinterpret_cast<const UChar *>(name.utf16());
        const auto length = int32_t(name.size());
        const std::size_t start = keys.bytes.size();
        keys.bytes.resize(start + kKeyBytesPerUnit * std::size_t(length) + kKeySlack);
        const auto room = int32_t(keys.bytes.size() - start);
        auto *key = reinterpret_cast<uint8_t *>(keys.bytes.data() + start);
        int32_t written = ucol_getSortKey(collator, text, length, key, room);
        if (written > room) {
            keys.bytes.resize(start + std::size_t(written));
            key = reinterpret_cast<uint8_t *>(keys.bytes.data() + start);
            written = ucol_getSortKey(collator, text, length, key, written);
        }
        // Without the closing zero byte.
        keys.bytes.resize(start + std::size_t(std::max<int32_t>(written, 1)) - 1);
        keys.ends.push_back(keys.bytes.size());
    }
    return keys;
}

// A name in the sort: its key's first bytes as two numbers, compared first,
// and its number. A key holds no zero byte, so a shorter key, filled up with
// zeros, still ranks before its longer ones.
struct Entry {
    std::uint64_t head;
    std::uint64_t next;
    int name;
};

std::uint64_t bytesAsNumber(std::string_view key, std::size_t from)
{
    std::uint64_t number = 0;
    for (std::size_t b = from; b < from + sizeof number; ++b)
        number = (number << CHAR_BIT) | (b < key.size() ? std::uint8_t(key[b]) : 0U);
    return number;
}

// The order of two entries: by the first bytes of their keys, by their whole
// keys only where those are equal, and equal keys in the order given.
template <typename KeyOf>
auto rankedBefore(const KeyOf &keyOf)
{
    return [&keyOf](const Entry &a, const Entry &b) {
        if (a.head != b.head)
            return a.head < b.head;
        if (a.next != b.next)
            return a.next < b.next;
        const int byKey = keyOf(a.name).compare(keyOf(b.name));
        return byKey != 0 ? byKey < 0 : a.name < b.name;
    };
}

// The names from to to - 1 with their keys, in list order among themselves.
struct Run {
    int from = 0;
    Keys keys;
    std::vector<Entry> entries;

    std::string_view keyOf(int name) const { return keys.at(std::size_t(name - from)); }
};

Run rankedRun(const UCollator *collator, int from, int to, const std::function<QString(int)> &nameOf)
{
    Run run{from, keysOf(collator, from, to, nameOf), {}};
    run.entries.reserve(std::size_t(to - from));
    for (int name = from; name < to; ++name) {
        const std::string_view key = run.keyOf(name);
        run.entries.push_back({bytesAsNumber(key, 0), bytesAsNumber(key, sizeof(std::uint64_t)), name});
    }
    const auto keyOf = [&run](int name) { return run.keyOf(name); };
    std::sort(run.entries.begin(), run.entries.end(), rankedBefore(keyOf));
    return run;
}

} // namespace

std::vector<int> ListOrder::ranked(int count, const std::function<QString(int)> &nameOf) const
{
    // Many names are ranked in two halves at once, the second on a thread
    // of its own with a collator of its own, as ICU's collators are not
    // shared between threads; the two ranked halves are then merged.
    int firstHalf = count;
    Collator clone;
    std::future<Run> secondHalf;
    if (count >= kNamesForTwoThreads) {
        UErrorCode status = U_ZERO_ERROR;
        clone.reset(ucol_clone(m_collator.get(), &status));
        if (clone && U_SUCCESS(status)) {
            firstHalf = count / 2;
            secondHalf = std::async(std::launch::async, rankedRun, clone.get(), firstHalf, count, std::cref(nameOf));
        }
    }
    const Run first = rankedRun(m_collator.get(), 0, firstHalf, nameOf);
    const Run second = secondHalf.valid() ? secondHalf.get() : Run{firstHalf, {}, {}};
    const auto keyOf = [&](int name) { return name < firstHalf ? first.keyOf(name) : second.keyOf(name); };
    std::vector<Entry> merged(static_cast<std::size_t>(count));
    std::merge(first.entries.begin(), first.entries.end(), second.entries.begin(), second.entries.end(), merged.begin(),
               rankedBefore(keyOf));
    std::vector<int> order;
    order.reserve(merged.size());
    for (const Entry &entry : merged)
        order.push_back(entry.name);
    return order;
}
