#include "CommandFill.h"

#include "PlaceholderTexts.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

using ShellText::Context;

// What the shell reads a placeholder as while working out where each one
// stands: one plain letter.
constexpr QLatin1Char kStandIn('x');

// Characters after which a word begins; those that end a command.
const QString kWordBreaks = QStringLiteral(";&|(");
const QString kCommandBreaks = QStringLiteral(";&|(\n");
// Characters of a command value that end its line early or turn the rest of it into a comment.
const QString kLineEnders = QStringLiteral(";&|#");
// What the recipe itself puts before a domain.
const QString kWww = QStringLiteral("www.");
// The program that takes port ranges ("8000:8100").
const QString kPortRangeProgram = QStringLiteral("ufw");
// Where the first character of the control pictures stands (U+2400 "␀"),
// the picture of DEL, and what a control of the C1 set shows as.
constexpr char16_t kControlPictures = 0x2400;
constexpr char16_t kDeletePicture = 0x2421;
constexpr char16_t kC1Picture = 0xFFFD;
constexpr char16_t kC0End = 0x20;
constexpr char16_t kDelete = 0x7F;

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// A control character as the box shows it.
QChar pictureOf(QChar c)
{
    if (c.unicode() < kC0End)
        return QChar(char16_t(kControlPictures + c.unicode()));
    return QChar(c.unicode() == kDelete ? kDeletePicture : kC1Picture);
}

// The value's control characters, but its line breaks, as their pictures.
QString visible(QString written)
{
    for (QChar &c : written) {
        if (isControl(c) && c != QLatin1Char('\n'))
            c = pictureOf(c);
    }
    return written;
}

bool isHereDoc(Context context)
{
    return context == Context::QuotedHereDoc || context == Context::HereDoc;
}

// The program of the command that the character at i belongs to.
QString programAt(const QString &shape, const QList<Context> &contexts, qsizetype i)
{
    qsizetype start = i;
    while (start > 0 && !(contexts.at(start - 1) == Context::Plain && kCommandBreaks.contains(shape.at(start - 1))))
        --start;
    while (start < i && shape.at(start).isSpace())
        ++start;
    qsizetype end = start;
    while (end < shape.size() && !shape.at(end).isSpace())
        ++end;
    return shape.mid(start, end - start);
}

// Whether the command hands text to MySQL.
bool runsMySql(const QString &shape)
{
    static const QRegularExpression mysql(QStringLiteral("(?:^|[\\s;&|(])mysql(?:\\s|$)"));
    return mysql.match(shape).hasMatch();
}

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
    m_literalContexts = contexts;
    for (auto it = standIns.crbegin(); it != standIns.crend(); ++it)
        m_literalContexts.remove(*it);
    const bool sql = runsMySql(shape);
    for (qsizetype i = 0; i < found.size(); ++i) {
        const qsizetype at = standIns.at(i);
        const ValueKind::Setting setting{programAt(shape, contexts, at) == kPortRangeProgram, sql};
        m_slots.append({found.at(i).word, ValueKind::kindOf(found.at(i).word, setting), contexts.at(at),
                        startsWord(shape, contexts, at), QStringView(shape).first(at).endsWith(kWww)});
    }
    render();
}

void CommandFill::render()
{
    m_text.clear();
    m_places.clear();
    m_writes.clear();
    QHash<QString, bool> moves; // whether each word's value changes the command's own text
    for (qsizetype i = 0; i < m_slots.size(); ++i) {
        m_text += m_literals.at(i);
        const Slot &slot = m_slots.at(i);
        Place place{slot.word, m_text.size(), 0, m_values.contains(slot.word), {}, {}};
        Quoting::Written write;
        if (place.filled) {
            const QString &value = m_values[slot.word];
            write = writtenFor(slot, value);
            write.text = visible(write.text);
            judge(slot, value, place);
            if (!moves.contains(slot.word))
                moves.insert(slot.word, movesTheRest(slot.word, value));
            if (place.withheld.isEmpty() && moves.value(slot.word)) {
                place.problems.append(QString::fromUtf8(PlaceholderTexts::kMovesTheRest));
                place.withheld = place.problems.last();
            }
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

Quoting::Written CommandFill::writtenFor(const Slot &slot, const QString &value)
{
    const bool code = slot.kind == ValueKind::Kind::Command && slot.context == Context::Plain;
    return code ? Quoting::asTyped(value) : Quoting::written(value, slot.context);
}

// Whether the shell reads any of the command's own text otherwise with the
// value in the word's places, the other places holding their stand-in: a
// value that ends a here-document early, say.
bool CommandFill::movesTheRest(const QString &word, const QString &value) const
{
    QString filled;
    QList<qsizetype> ownText; // where each character of the literals stands in `filled`
    ownText.reserve(m_literalContexts.size());
    for (qsizetype i = 0; i < m_literals.size(); ++i) {
        for (qsizetype k = 0; k < m_literals.at(i).size(); ++k)
            ownText.append(filled.size() + k);
        filled += m_literals.at(i);
        if (i < m_slots.size())
            filled += m_slots.at(i).word == word ? writtenFor(m_slots.at(i), value).text : QString(kStandIn);
    }
    const QList<Context> contexts = ShellText::contextsOf(filled);
    for (qsizetype k = 0; k < ownText.size(); ++k) {
        if (contexts.at(ownText.at(k)) != m_literalContexts.at(k))
            return true;
    }
    return false;
}

// Why the value does not fit the place, and why it is never copied from it.
void CommandFill::judge(const Slot &slot, const QString &value, Place &place)
{
    const auto add = [&place](const char *reason) { place.problems.append(QString::fromUtf8(reason)); };
    const auto withhold = [&place](const char *reason) {
        place.problems.append(QString::fromUtf8(reason));
        if (place.withheld.isEmpty())
            place.withheld = place.problems.last();
    };
    using ValueKind::Kind;
    if (const Result<void> fits = ValueKind::check(slot.kind, value); !fits)
        place.problems.append(fits.error());
    // A key either fits or has its own reason.
    if (slot.startsWord && slot.kind != Kind::PublicKey && value.startsWith(QLatin1Char('-')))
        add(PlaceholderTexts::kLooksLikeOption);
    if (slot.afterWww && value.startsWith(kWww, Qt::CaseInsensitive))
        add(PlaceholderTexts::kWwwAdded);
    const bool hereDoc = isHereDoc(slot.context);
    const bool command = slot.kind == Kind::Command && slot.context == Context::Plain;
    // A line break is a control character too, the Enter key of a terminal;
    // where it would also change what the lines after it mean, that is said.
    if (value.contains(QLatin1Char('\n')))
        withhold(hereDoc   ? PlaceholderTexts::kLineBreakInHereDoc
                 : command ? PlaceholderTexts::kLineBreakInCommand
                           : PlaceholderTexts::kLineBreakInValue);
    // A here-document takes a TAB as it is: a configuration's or a table's.
    if (std::any_of(value.cbegin(), value.cend(), [&](QChar c) {
            return isControl(c) && c != QLatin1Char('\n') && !(hereDoc && c == QLatin1Char('\t'));
        }))
        withhold(PlaceholderTexts::kControlCharacter);
    if (command && std::any_of(value.cbegin(), value.cend(), [](QChar c) { return kLineEnders.contains(c); }))
        add(PlaceholderTexts::kCommandEndsLine);
    static const QRegularExpression decimal(QStringLiteral("^(?:0|[1-9][0-9]{0,17})$"));
    if (slot.context == Context::Arithmetic && !decimal.match(value).hasMatch())
        withhold(PlaceholderTexts::kNotNumberInArithmetic);
    if (slot.context == Context::Unsure)
        withhold(PlaceholderTexts::kUnsurePlace);
}

CommandFill::Copy CommandFill::copy() const
{
    Copy out;
    QStringList left;
    for (qsizetype i = 0; i < m_slots.size(); ++i) {
        out.text += m_literals.at(i);
        const Place &place = m_places.at(i);
        if (!place.filled || !place.withheld.isEmpty())
            out.text += shownPlaceholder(place.word);
        else
            out.text += writtenFor(m_slots.at(i), m_values.value(place.word)).text;
        const QString line = QString::fromUtf8(PlaceholderTexts::kWithheldValue).arg(place.word, place.withheld);
        if (!place.withheld.isEmpty() && !left.contains(line))
            left.append(line);
    }
    out.text += m_literals.last();
    if (!left.isEmpty())
        out.notice = (QStringList{QString::fromUtf8(PlaceholderTexts::kCopyWithheld)} + left).join(QLatin1Char('\n'));
    return out;
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
    const QString value = visible(m_values.value(shown.word));
    QStringList lines = shown.problems;
    lines.append(QString::fromUtf8(PlaceholderTexts::kFilled).arg(value, shown.word));
    const QString &written = m_writes.at(place).text;
    if (written != value)
        lines.last() += QString::fromUtf8(PlaceholderTexts::kQuotedHere).arg(written);
    return lines.join(QLatin1Char('\n'));
}
