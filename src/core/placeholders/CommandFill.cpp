#include "CommandFill.h"

#include "PlaceholderTexts.h"

#include <QSet>

#include <algorithm>

namespace {

using ShellText::Context;

// What the shell reads a placeholder as while working out where each one
// stands: one plain letter.
constexpr QLatin1Char kStandIn('x');

// Characters after which a word begins.
const QString kWordBreaks = QStringLiteral(";&|(");
// Characters of a command value that end its line early or turn the rest of it into a comment.
const QString kLineEnders = QStringLiteral(";&|#\n");

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

// Whether the character at i begins a word of a command, counting an
// opening quote right before it.
bool startsWord(const QString &shape, const QList<Context> &contexts, qsizetype i)
{
    const Context context = contexts.at(i);
    if (context == Context::QuotedHereDoc || context == Context::HereDoc)
        return false;
    qsizetype start = i;
    if (context != Context::Plain && start > 0 && isQuote(shape.at(start - 1)) && contexts.at(start - 1) == context)
        --start;
    if (context == Context::AnsiCQuoted && start > 0 && shape.at(start - 1) == QLatin1Char('$'))
        --start;
    return start == 0 || shape.at(start - 1).isSpace() || kWordBreaks.contains(shape.at(start - 1));
}

QString shownPlaceholder(const QString &word)
{
    return QLatin1Char('<') + word + QLatin1Char('>');
}

} // namespace

CommandFill::CommandFill(const QString &command)
{
    parse(command);
}

void CommandFill::parse(const QString &command)
{
    m_literals.clear();
    m_slots.clear();
    QString shape; // the command with each placeholder as one letter
    QList<qsizetype> standIns;
    const QList<ShellText::Placeholder> found = ShellText::placeholdersOf(command);
    qsizetype from = 0;
    for (const ShellText::Placeholder &placeholder : found) {
        m_literals.append(command.mid(from, placeholder.begin - from));
        shape += m_literals.last();
        standIns.append(shape.size());
        shape += kStandIn;
        from = placeholder.begin + placeholder.length;
    }
    m_literals.append(command.mid(from));
    shape += m_literals.last();

    const QList<Context> contexts = ShellText::contextsOf(shape);
    for (qsizetype i = 0; i < found.size(); ++i) {
        const qsizetype at = standIns.at(i);
        m_slots.append({found.at(i).word, ValueKind::kindOf(found.at(i).word), contexts.at(at), startsWord(shape, contexts, at)});
    }
    render();
}

void CommandFill::render()
{
    m_text.clear();
    m_places.clear();
    m_writes.clear();
    for (qsizetype i = 0; i < m_slots.size(); ++i) {
        m_text += m_literals.at(i);
        const Slot &slot = m_slots.at(i);
        Place place{slot.word, m_text.size(), 0, m_values.contains(slot.word), {}};
        Quoting::Written write;
        if (place.filled) {
            const QString &value = m_values[slot.word];
            const bool code = slot.kind == ValueKind::Kind::Command && slot.context == Context::Plain;
            write = code ? Quoting::asTyped(value) : Quoting::written(value, slot.context);
            place.problems = problemsOf(slot, value);
            m_text += write.text;
        } else {
            m_text += shownPlaceholder(slot.word);
        }
        place.length = m_text.size() - place.begin;
        m_places.append(place);
        m_writes.append(write);
    }
    m_text += m_literals.last();
}

QStringList CommandFill::problemsOf(const Slot &slot, const QString &value) const
{
    QStringList problems;
    if (const Result<void> fits = ValueKind::check(slot.kind, value); !fits)
        problems.append(fits.error());
    if (slot.startsWord && value.startsWith(QLatin1Char('-')))
        problems.append(QString::fromUtf8(PlaceholderTexts::kLooksLikeOption));
    const bool hereDoc = slot.context == Context::QuotedHereDoc || slot.context == Context::HereDoc;
    if (hereDoc && value.contains(QLatin1Char('\n')))
        problems.append(QString::fromUtf8(PlaceholderTexts::kLineBreakInHereDoc));
    if (slot.kind == ValueKind::Kind::Command && slot.context == Context::Plain
        && std::any_of(value.cbegin(), value.cend(), [](QChar c) { return kLineEnders.contains(c); }))
        problems.append(QString::fromUtf8(PlaceholderTexts::kCommandEndsLine));
    return problems;
}

void CommandFill::setValue(const QString &word, const QString &value)
{
    if (value.isEmpty())
        m_values.remove(word);
    else
        m_values.insert(word, value);
    render();
}

CommandFill::Edited CommandFill::edit(qsizetype position, qsizetype removed, const QString &inserted, int typingInto)
{
    if (QStringView(m_text).sliced(position, removed) == inserted)
        return {position + removed, typingInto};
    const qsizetype to = position + removed;
    const auto holds = [&](const Place &place) { return place.begin <= position && to <= place.end(); };
    if (typingInto >= 0 && typingInto < m_places.size() && m_places.at(typingInto).filled && holds(m_places.at(typingInto)))
        return editValue(typingInto, position, to, inserted);
    for (int k = 0; k < m_places.size(); ++k) {
        const Place &place = m_places.at(k);
        const bool atEdge = removed == 0 && (position == place.begin || position == place.end());
        if (holds(place) && !atEdge)
            return editValue(k, position, to, inserted);
    }

    // The command's own text between two places: the values stay.
    qsizetype shapeOffset = 0; // where the command's text stands without the values
    for (qsizetype j = 0; j < m_literals.size(); ++j) {
        const qsizetype begin = j == 0 ? 0 : m_places.at(j - 1).end();
        const qsizetype end = j < m_places.size() ? m_places.at(j).begin : m_text.size();
        if (begin <= position && to <= end) {
            QString command;
            for (qsizetype i = 0; i < m_slots.size(); ++i)
                command += m_literals.at(i) + shownPlaceholder(m_slots.at(i).word);
            command += m_literals.last();
            command.replace(shapeOffset + position - begin, removed, inserted);
            parse(command);
            return {std::min(position + inserted.size(), m_text.size()), -1};
        }
        shapeOffset += m_literals.at(j).size() + (j < m_slots.size() ? shownPlaceholder(m_slots.at(j).word).size() : 0);
    }

    // Across places, unless the characters that changed lie within one
    // place: an input method may report its whole line as changed.
    if (const auto [first, last] = changedPart(position, removed, inserted); last - first < removed)
        return edit(first, last - first,
                    inserted.sliced(first - position, inserted.size() - (first - position) - (to - last)), typingInto);

    // The text as it now reads is a new command, values and all.
    m_values.clear();
    parse(QString(m_text).replace(position, removed, inserted));
    return {position + inserted.size(), -1};
}

// The part of `removed` characters at `position` that `inserted` does not
// keep as it stands at its head or tail; a place it ends inside of is taken
// whole, so that a placeholder is replaced as the user selected it.
std::pair<qsizetype, qsizetype> CommandFill::changedPart(qsizetype position, qsizetype removed, const QString &inserted) const
{
    const QStringView before = QStringView(m_text).sliced(position, removed);
    const qsizetype most = std::min(removed, inserted.size());
    qsizetype head = 0;
    while (head < most && before.at(head) == inserted.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < most - head && before.at(removed - 1 - tail) == inserted.at(inserted.size() - 1 - tail))
        ++tail;
    qsizetype from = position + head;
    qsizetype to = position + removed - tail;
    for (const Place &place : m_places) {
        if (place.begin < from && from < place.end())
            from = std::max(place.begin, position);
        if (place.begin < to && to < place.end())
            to = std::min(place.end(), position + removed);
    }
    return {from, std::max(from, to)};
}

CommandFill::Edited CommandFill::editValue(int place, qsizetype from, qsizetype to, const QString &inserted)
{
    const QString word = m_places.at(place).word;
    if (!m_places.at(place).filled) {
        setValue(word, inserted);
        return {m_places.at(place).filled ? m_places.at(place).end() : m_places.at(place).begin, place};
    }
    const QString value = m_values.value(word);
    const QList<qsizetype> &starts = m_writes.at(place).starts;
    const qsizetype length = value.size();
    const qsizetype begin = m_places.at(place).begin;
    // The value's characters the edit covers: from the one it starts in to
    // the one it ends in.
    qsizetype first = std::upper_bound(starts.cbegin(), starts.cend(), from - begin) - starts.cbegin() - 1;
    qsizetype last = std::lower_bound(starts.cbegin(), starts.cend(), to - begin) - starts.cbegin();
    first = std::clamp<qsizetype>(first, 0, length);
    last = std::clamp<qsizetype>(last, 0, length);
    // A quote that was removed alone takes the value's character beside it.
    if (from < to && first >= last) {
        if (from - begin >= starts.at(length))
            first = std::max<qsizetype>(length - 1, 0), last = length;
        else
            last = std::min(first + 1, length);
    }
    setValue(word, value.left(first) + inserted + value.mid(last));
    return {caretAt(place, first + inserted.size()), place};
}

qsizetype CommandFill::caretAt(int place, qsizetype index) const
{
    const Place &shown = m_places.at(place);
    const QList<qsizetype> &starts = m_writes.at(place).starts;
    if (!shown.filled)
        return shown.begin;
    return index + 1 < starts.size() ? shown.begin + starts.at(index) : shown.end();
}

int CommandFill::placeAt(qsizetype position) const
{
    const auto it = std::find_if(m_places.cbegin(), m_places.cend(),
                                 [&](const Place &place) { return place.begin <= position && position <= place.end(); });
    return it == m_places.cend() ? -1 : int(it - m_places.cbegin());
}

int CommandFill::nextPlace(qsizetype position, bool forward) const
{
    QList<int> firsts; // the first place of each placeholder
    QSet<QString> seen;
    for (int k = 0; k < m_places.size(); ++k) {
        if (!seen.contains(m_places.at(k).word)) {
            seen.insert(m_places.at(k).word);
            firsts.append(k);
        }
    }
    if (firsts.isEmpty())
        return -1;
    if (forward) {
        const auto it = std::find_if(firsts.cbegin(), firsts.cend(), [&](int k) { return m_places.at(k).begin >= position; });
        return it == firsts.cend() ? firsts.first() : *it;
    }
    const auto it = std::find_if(firsts.crbegin(), firsts.crend(), [&](int k) { return m_places.at(k).end() <= position; });
    return it == firsts.crend() ? firsts.last() : *it;
}

QString CommandFill::tooltipOf(int place) const
{
    const Place &shown = m_places.at(place);
    if (!shown.filled)
        return QString::fromUtf8(PlaceholderTexts::kFillIn).arg(shown.word, ValueKind::hintOf(m_slots.at(place).kind));
    const QString value = m_values.value(shown.word);
    QStringList lines = shown.problems;
    lines.append(QString::fromUtf8(PlaceholderTexts::kFilled).arg(value, shown.word));
    const QString &written = m_writes.at(place).text;
    if (written != value)
        lines.last() += QString::fromUtf8(PlaceholderTexts::kQuotedHere).arg(written);
    return lines.join(QLatin1Char('\n'));
}
