#include "ListOrder.h"

#include "TextTable.h"

#include <unicode/ucol.h>

#include <QString>

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Room for a key in bytes per UTF-16 unit of the name, and beyond it: enough
// for most names, so their key is written in one call.
constexpr std::size_t kKeyBytesPerUnit = 3;
constexpr std::size_t kKeySlack = 16;
// Names handed to the ranking's thread of its own at a time; fewer names
// than this are ranked on the asking thread alone.
constexpr std::size_t kBatchNames = 1024;

// A run of names in the order they came, from number from on, in UTF-8. A
// batch is copied into a table of its own, so the thread that takes it frees
// no memory of the thread that filled it name by name.
struct Batch {
    int from = 0;
    TextTable names;
};

// A name in the sort: its key's first bytes as two numbers, compared first,
// its number, and where its whole key is kept. A key holds no zero byte, so
// a shorter key, filled up with zeros, still ranks before its longer ones.
struct Entry {
    std::uint64_t head;
    std::uint64_t next;
    int name;
    std::uint32_t key;
};

std::uint64_t bytesAsNumber(std::string_view key, std::size_t from)
{
    std::uint64_t number = 0;
    for (std::size_t b = from; b < from + sizeof number; ++b)
        number = (number << CHAR_BIT) | (b < key.size() ? std::uint8_t(key[b]) : 0U);
    return number;
}

// The collation keys one thread made, one after the other, and the entries
// of their names in sorted runs: a batch's entries are sorted as it is taken,
// and merged with the run before while that is no longer, so most of the sort
// is done while the names are still coming.
struct Made {
    std::string bytes;
    std::vector<std::size_t> ends{0};
    std::vector<Entry> entries;
    std::vector<std::size_t> runs; // where each sorted run starts

    std::string_view keyOf(const Entry &entry) const
    {
        return std::string_view(bytes).substr(ends[entry.key], ends[entry.key + 1] - ends[entry.key]);
    }
    void take(const UCollator *collator, const Batch &batch);
    // The entries sorted into one run.
    void sort();
    // Entry order among the keys made here.
    auto inOrder() const;

private:
    void mergeLastRuns();
};

// Whether a, whose key one made, ranks before b, whose key other made: by
// the first bytes of their keys, by their whole keys only where those are
// equal, and equal keys in the order the names came.
bool rankedBefore(const Made &one, const Entry &a, const Made &other, const Entry &b)
{
    if (a.head != b.head)
        return a.head < b.head;
    if (a.next != b.next)
        return a.next < b.next;
    const int byKey = one.keyOf(a).compare(other.keyOf(b));
    return byKey != 0 ? byKey < 0 : a.name < b.name;
}

auto Made::inOrder() const
{
    return [this](const Entry &a, const Entry &b) { return rankedBefore(*this, a, *this, b); };
}

void Made::take(const UCollator *collator, const Batch &batch)
{
    runs.push_back(entries.size());
    for (std::size_t i = 0; i < batch.names.size(); ++i) {
        const std::string_view utf8 = batch.names.at(i);
        const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        const auto *units = reinterpret_cast<const UChar *>(text.utf16());
        const auto length = int32_t(text.size());
        const std::size_t start = bytes.size();
        bytes.resize(start + kKeyBytesPerUnit * std::size_t(length) + kKeySlack);
        const auto room = int32_t(bytes.size() - start);
        auto *key = reinterpret_cast<uint8_t *>(bytes.data() + start);
        int32_t written = ucol_getSortKey(collator, units, length, key, room);
        if (written > room) {
            bytes.resize(start + std::size_t(written));
            key = reinterpret_cast<uint8_t *>(bytes.data() + start);
            written = ucol_getSortKey(collator, units, length, key, written);
        }
        // Without the closing zero byte.
        bytes.resize(start + std::size_t(std::max<int32_t>(written, 1)) - 1);
        const std::string_view made = std::string_view(bytes).substr(start);
        entries.push_back({bytesAsNumber(made, 0), bytesAsNumber(made, sizeof(std::uint64_t)), batch.from + int(i),
                           std::uint32_t(ends.size() - 1)});
        ends.push_back(bytes.size());
    }
    std::sort(entries.begin() + std::ptrdiff_t(runs.back()), entries.end(), inOrder());
    while (runs.size() > 1 && entries.size() - runs.back() >= runs.back() - runs[runs.size() - 2])
        mergeLastRuns();
}

void Made::mergeLastRuns()
{
    std::inplace_merge(entries.begin() + std::ptrdiff_t(runs[runs.size() - 2]), entries.begin() + std::ptrdiff_t(runs.back()),
                       entries.end(), inOrder());
    runs.pop_back();
}

void Made::sort()
{
    while (runs.size() > 1)
        mergeLastRuns();
}

// The numbers of the names of two sorted runs, merged in list order.
std::vector<int> merged(const Made &one, const Made &other)
{
    std::vector<int> order;
    order.reserve(one.entries.size() + other.entries.size());
    auto a = one.entries.begin();
    auto b = other.entries.begin();
    while (a != one.entries.end() && b != other.entries.end())
        order.push_back(rankedBefore(other, *b, one, *a) ? (b++)->name : (a++)->name);
    for (; a != one.entries.end(); ++a)
        order.push_back(a->name);
    for (; b != other.entries.end(); ++b)
        order.push_back(b->name);
    return order;
}

} // namespace

class ListOrder::Ranking::Work
{
public:
    explicit Work(const UCollator *collator)
        : m_collator(collator)
    {
    }
    ~Work()
    {
        close(true);
        if (m_helper.valid())
            m_helper.wait();
    }

    void add(std::string_view name)
    {
        m_filling.names.append(name);
        if (m_filling.names.size() == kBatchNames)
            handOver();
    }

    std::vector<int> order()
    {
        if (m_filling.names.size() > 0)
            handOver();
        close(false);
        takeBatches(m_collator, m_own);
        m_own.sort();
        if (m_helper.valid())
            m_helper.get();
        return merged(m_own, m_helped);
    }

private:
    // The batch being filled goes to the queue; the first one handed over
    // starts the thread of its own, with a collator of its own, as ICU's
    // collators are not shared between threads.
    void handOver()
    {
        const int next = m_filling.from + int(m_filling.names.size());
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_queue.push_back(std::exchange(m_filling, Batch{next, {}}));
        }
        m_handed.notify_one();
        if (m_helper.valid())
            return;
        UErrorCode status = U_ZERO_ERROR;
        m_helperCollator.reset(ucol_clone(m_collator, &status));
        if (m_helperCollator && U_SUCCESS(status)) {
            m_helper = std::async(std::launch::async, [this] {
                takeBatches(m_helperCollator.get(), m_helped);
                m_helped.sort();
            });
        }
    }

    // No more batches come; what is queued is kept, or dropped.
    void close(bool dropQueued)
    {
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_closed = true;
            if (dropQueued)
                m_queue.clear();
        }
        m_handed.notify_all();
    }

    // Makes the keys of queued batches until the queue is closed and empty.
    void takeBatches(const UCollator *collator, Made &made)
    {
        for (;;) {
            Batch batch;
            {
                std::unique_lock<std::mutex> lock(m_lock);
                m_handed.wait(lock, [this] { return m_closed || !m_queue.empty(); });
                if (m_queue.empty())
                    return;
                batch = std::move(m_queue.front());
                m_queue.pop_front();
            }
            made.take(collator, batch);
        }
    }

    const UCollator *m_collator;
    Collator m_helperCollator;
    Batch m_filling;
    std::mutex m_lock;
    std::condition_variable m_handed;
    std::deque<Batch> m_queue;
    bool m_closed = false;
    Made m_own;
    Made m_helped;
    std::future<void> m_helper;
};

ListOrder::Ranking::Ranking(const ListOrder &order)
    : m_work(std::make_unique<Work>(order.m_collator.get()))
{
}

ListOrder::Ranking::~Ranking() = default;

void ListOrder::Ranking::add(std::string_view name)
{
    m_work->add(name);
}

std::vector<int> ListOrder::Ranking::order()
{
    return m_work->order();
}
