#include "SearchText.h"

#include "LibraryTexts.h"
#include "LikeMatch.h"
#include "SearchBudget.h"
#include "SqliteUtf8.h"

#include <cstring>

namespace {

// Texts, or hits, counted before they are spent from the budget.
constexpr std::size_t kStepsPerSpending = 1024;
constexpr char kAnyRun = '%';

Failure tooComplex()
{
    return Failure{QString::fromUtf8(LibraryTexts::kSearchTooComplex)};
}

} // namespace

void SearchText::append(const char *text)
{
    if (text)
        SqliteUtf8::appendCanonical(m_text, text);
    m_text.push_back('\0');
    m_starts.push_back(m_text.size());
    m_null.push_back(!text);
}

void SearchText::reserve(std::size_t texts, std::size_t bytes)
{
    m_text.reserve(bytes);
    m_starts.reserve(texts + 1);
    m_null.reserve(texts);
}

Result<std::vector<int>> SearchText::find(const QString &term, SearchBudget &budget) const
{
    // What the database would have been given: the term's UTF-8, read up to
    // a NUL character.
    const QByteArray utf8 = term.toUtf8();
    if (std::strpbrk(utf8.constData(), "%_"))
        return findPattern(kAnyRun + utf8 + kAnyRun, budget);
    std::string canonical;
    SqliteUtf8::appendCanonical(canonical, utf8.constData());
    return findPlain(canonical, budget);
}

Result<std::vector<int>> SearchText::findPlain(const std::string &term, SearchBudget &budget) const
{
    std::vector<int> found;
    if (term.empty()) {
        for (std::size_t i = 0; i < size(); ++i) {
            if (!m_null[i])
                found.push_back(int(i));
        }
        return found;
    }
    // The term holds no NUL byte, so a hit never runs from one text into the
    // next; after a hit the search goes on with the next text.
    std::size_t from = 0;
    std::size_t text = 0;
    while (const void *hit = memmem(m_text.data() + from, m_text.size() - from, term.data(), term.size())) {
        const auto at = std::size_t(static_cast<const char *>(hit) - m_text.data());
        while (m_starts[text + 1] <= at)
            ++text;
        found.push_back(int(text));
        from = m_starts[text + 1];
        if (found.size() % kStepsPerSpending == 0 && !budget.spend(kStepsPerSpending))
            return tooComplex();
    }
    return found;
}

Result<std::vector<int>> SearchText::findPattern(const QByteArray &pattern, SearchBudget &budget) const
{
    std::vector<int> found;
    for (std::size_t i = 0; i < size(); ++i) {
        if (i % kStepsPerSpending == 0 && !budget.spend(kStepsPerSpending))
            return tooComplex();
        if (m_null[i])
            continue;
        const Like::Result result = Like::match(m_text.data() + m_starts[i], pattern.constData(), budget);
        if (result == Like::Result::OverBudget)
            return tooComplex();
        if (result == Like::Result::Match)
            found.push_back(int(i));
    }
    return found;
}
