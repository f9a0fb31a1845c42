#include "PlaceholderFiller.h"

#include "ui/widgets/LineEnds.h"
#include "ui/widgets/MultiLineBox.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

namespace {

// The tints of a placeholder still to fill, a filled value, and a value that
// does not fit where it stands; text on them is black whatever the theme.
const QColor kToFill(0xFF, 0xE2, 0x8A);
const QColor kFilled(0xCC, 0xEB, 0xCC);
const QColor kMisfit(0xF6, 0xC2, 0xC2);
const QColor kMisfitLine(0xC0, 0x00, 0x00);
const QColor kMarkedText(Qt::black);
// How many values of a placeholder are offered again; how wide their list is.
constexpr qsizetype kOffersKept = 10;
constexpr int kOfferListWidth = 220;

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

PlaceholderFiller::PlaceholderFiller(MultiLineBox *box)
    : QObject(box)
    , m_box(box)
    , m_viewport(box->viewport())
    , m_completer(new QCompleter(this))
    , m_offers(new QStringListModel(this))
{
    m_completer->setModel(m_offers);
    m_completer->setWidget(m_box);
    m_completer->setCaseSensitivity(Qt::CaseSensitive);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, &PlaceholderFiller::takeOffer);
    connect(m_box->document(), &QTextDocument::contentsChange, this, &PlaceholderFiller::boxChanged);
    m_box->installEventFilter(this);
    m_viewport->installEventFilter(this);
    m_completer->popup()->installEventFilter(this);
}

QString PlaceholderFiller::boxText() const
{
    return m_box->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

CommandFill::Copy PlaceholderFiller::copy() const
{
    // A box that does not show the fill's text (a command cut short) is copied as it is.
    if (m_fill.text() != boxText())
        return {m_box->text(), {}};
    CommandFill::Copy copy = m_fill.copy();
    copy.text = LineEnds::join(LineEnds::split(m_box->text()), copy.text.split(QLatin1Char('\n')));
    return copy;
}

// A change the user made, or a new command put into the box: read back
// through the fill, whose text the box then shows.
void PlaceholderFiller::boxChanged(int position, int removed, int added)
{
    if (m_showing)
        return;
    const QString now = boxText();
    // The box marks text changed that it only laid out again, as an input
    // method's composing text.
    if (now == m_shown)
        return;
    const QHash<QString, QString> before = m_fill.values();
    // A box showing a command cut short is read-only: nothing to fill.
    if (m_box->isReadOnly()) {
        m_fill = CommandFill();
        m_shown = now;
        return markPlaces();
    }
    const qsizetype kept = m_shown.size() - position - removed;
    const bool exact = position >= 0 && kept >= 0 && now.size() == position + added + kept
                       && QStringView(now).first(position) == QStringView(m_shown).first(position)
                       && QStringView(now).last(kept) == QStringView(m_shown).last(kept);
    CommandFill::Edited edited{m_box->textCursor().position(), -1};
    if (exact && m_fill.text() == m_shown)
        edited = m_fill.edit(position, removed, now.mid(position, added), m_active);
    else
        m_fill = CommandFill(now);
    if (m_fill.values().isEmpty() && !before.isEmpty())
        keepValues(before);
    m_shown = now;
    m_active = edited.place;
    show(edited.caret, edited.place);
    if (m_active >= 0)
        offerValues();
    else
        m_completer->popup()->hide();
}

// Makes the box show the fill's text, changing only the part that differs,
// and puts the caret where the edit left it.
void PlaceholderFiller::show(qsizetype caret, int place)
{
    const QString target = m_fill.text();
    if (target != m_shown) {
        qsizetype head = 0;
        while (head < target.size() && head < m_shown.size() && target.at(head) == m_shown.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < target.size() - head && tail < m_shown.size() - head
               && target.at(target.size() - 1 - tail) == m_shown.at(m_shown.size() - 1 - tail))
            ++tail;
        QTextCursor change(m_box->document());
        change.setPosition(int(head));
        change.setPosition(int(m_shown.size() - tail), QTextCursor::KeepAnchor);
        m_showing = true;
        change.insertText(target.mid(head, target.size() - tail - head));
        m_showing = false;
        m_box->document()->clearUndoRedoStacks();
        m_shown = boxText();
        // Text the box does not keep as given is taken as it shows.
        if (m_shown != target) {
            m_fill = CommandFill(m_shown);
            place = m_active = -1;
            caret = m_box->textCursor().position();
        }
        QTextCursor at = m_box->textCursor();
        at.setPosition(int(std::min(caret, m_shown.size())));
        m_box->setTextCursor(at);
    }
    m_shown = boxText();
    if (place >= 0 && !m_fill.places().at(place).filled)
        choose(place);
    markPlaces();
}

void PlaceholderFiller::markPlaces()
{
    QList<QTextEdit::ExtraSelection> marks;
    for (const CommandFill::Place &place : m_fill.places()) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_box->document());
        mark.cursor.setPosition(drawnAt(place.begin, false));
        mark.cursor.setPosition(drawnAt(place.end(), true), QTextCursor::KeepAnchor);
        mark.format.setBackground(!place.filled ? kToFill : place.problems.isEmpty() ? kFilled : kMisfit);
        mark.format.setForeground(kMarkedText);
        if (!place.problems.isEmpty()) {
            mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            mark.format.setUnderlineColor(kMisfitLine);
        }
        marks.append(mark);
    }
    m_box->setExtraSelections(marks);
}

// Where the box draws what stands at `position` of its text: the text being
// composed is drawn in its line, before what follows it there, and a place
// that begins or ends where it stands is drawn around it.
int PlaceholderFiller::drawnAt(qsizetype position, bool end) const
{
    if (m_preedit.isEmpty() || position < m_composeFrom || (position == m_composeFrom && !end))
        return int(position);
    const QTextBlock line = m_box->document()->findBlock(int(m_composeFrom));
    const qsizetype lineEnd = line.position() + line.length() - 1;
    if (position > lineEnd)
        return int(position);
    return int(std::min(position + m_preedit.size(), lineEnd));
}

// Selects the place whole, so that typing replaces it.
void PlaceholderFiller::choose(int place)
{
    const CommandFill::Place &chosen = m_fill.places().at(place);
    QTextCursor whole = m_box->textCursor();
    whole.setPosition(int(chosen.begin));
    whole.setPosition(int(chosen.end()), QTextCursor::KeepAnchor);
    m_box->setTextCursor(whole);
    m_active = place;
    offerValues();
}

bool PlaceholderFiller::chooseFirstPlace()
{
    const int first = m_fill.nextPlace(0, true);
    if (first < 0)
        return false;
    choose(first);
    m_box->ensureCursorVisible();
    return true;
}

void PlaceholderFiller::chooseClickedPlace()
{
    const QTextCursor caret = m_box->textCursor();
    const int place = caret.hasSelection() ? -1 : m_fill.placeAt(caret.position());
    if (place >= 0)
        return choose(place);
    m_active = -1;
}

bool PlaceholderFiller::eventFilter(QObject *watched, QEvent *event)
{
    const bool keyPress = event->type() == QEvent::KeyPress;
    if (watched == m_completer->popup() && keyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isEnter(key)) {
            const QModelIndex offer = m_completer->popup()->currentIndex();
            m_completer->popup()->hide();
            if (offer.isValid())
                takeOffer(offer.data().toString());
            return true;
        }
        if (key->key() == Qt::Key_F3)
            m_completer->popup()->hide();
        return keyPressed(key);
    }
    if (watched == m_box && keyPress)
        return keyPressed(static_cast<QKeyEvent *>(event));
    if (watched == m_box && event->type() == QEvent::InputMethod && !m_passing && !m_box->isReadOnly())
        return inputMethod(static_cast<QInputMethodEvent *>(event));
    if (watched == m_viewport && event->type() == QEvent::ToolTip)
        return showTooltip(event);
    // The box places the caret when the button comes up; the place is chosen after it.
    if (watched == m_viewport && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        QMetaObject::invokeMethod(this, &PlaceholderFiller::chooseClickedPlace, Qt::QueuedConnection);
    return false;
}

// F3 goes to the next placeholder, Shift+F3 to the previous one.
bool PlaceholderFiller::keyPressed(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() != Qt::Key_F3 || (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier))
        return false;
    const bool forward = modifiers == Qt::NoModifier;
    const QTextCursor caret = m_box->textCursor();
    const int place = m_fill.nextPlace(forward ? caret.selectionEnd() : caret.selectionStart(), forward);
    if (place >= 0) {
        choose(place);
        m_box->ensureCursorVisible();
    }
    return true;
}

// An input method's event. The text it composes is drawn where the user
// types and leaves the box's text as it is: the box's selection is given up
// meanwhile, as the box would take away what it selects. What it commits
// replaces what was selected when composing began, as typed text does.
bool PlaceholderFiller::inputMethod(const QInputMethodEvent *event)
{
    const bool commits = !event->commitString().isEmpty() || event->replacementLength() > 0;
    // An event that neither composes nor commits, as one that moves the selection, is the box's own.
    if (!commits && m_preedit.isEmpty() && event->preeditString().isEmpty())
        return false;
    if (m_preedit.isEmpty())
        keepSelectionToCompose();
    if (commits)
        commit(event);
    QTextCursor at = m_box->textCursor();
    at.setPosition(int(m_composeFrom));
    m_box->setTextCursor(at);
    QInputMethodEvent shown(event->preeditString(), event->attributes());
    m_passing = true;
    QCoreApplication::sendEvent(m_box, &shown);
    m_passing = false;
    m_preedit = event->preeditString();
    markPlaces();
    // Composing ended: what it was to replace is selected again.
    if (m_preedit.isEmpty()) {
        QTextCursor selected = m_box->textCursor();
        selected.setPosition(int(m_composeFrom));
        selected.setPosition(int(m_composeTo), QTextCursor::KeepAnchor);
        m_box->setTextCursor(selected);
    }
    return true;
}

void PlaceholderFiller::keepSelectionToCompose()
{
    m_composeFrom = m_box->textCursor().selectionStart();
    m_composeTo = m_box->textCursor().selectionEnd();
}

// The committed text replaces what was to be composed over, with the
// characters the input method asks to replace beside it.
void PlaceholderFiller::commit(const QInputMethodEvent *event)
{
    const qsizetype from = std::clamp<qsizetype>(m_composeFrom + std::min(event->replacementStart(), 0), 0, m_shown.size());
    const qsizetype to = std::clamp<qsizetype>(
        m_composeTo + std::max(event->replacementStart() + event->replacementLength(), 0), from, m_shown.size());
    QTextCursor typed = m_box->textCursor();
    typed.setPosition(int(from));
    typed.setPosition(int(to), QTextCursor::KeepAnchor);
    m_box->setTextCursor(typed);
    typed.insertText(event->commitString());
    keepSelectionToCompose();
}

bool PlaceholderFiller::showTooltip(const QEvent *event)
{
    const auto *help = static_cast<const QHelpEvent *>(event);
    const int place = m_fill.placeAt(m_box->cursorForPosition(help->pos()).position());
    if (place < 0)
        return false;
    QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(m_fill.tooltipOf(place)), m_box->viewport());
    return true;
}

// The values typed for the place's placeholder before, that begin as its
// value does, in a list under it.
void PlaceholderFiller::offerValues()
{
    const CommandFill::Place &place = m_fill.places().at(m_active);
    const QString value = m_fill.values().value(place.word);
    const QStringList offers = m_typed.value(place.word);
    m_offers->setStringList(offers);
    m_completer->setCompletionPrefix(value);
    const bool typedWhole = m_completer->completionCount() == 1 && m_completer->currentCompletion() == value;
    if (offers.isEmpty() || m_completer->completionCount() == 0 || typedWhole) {
        m_completer->popup()->hide();
        return;
    }
    // Under the line where the place ends, inside the box as far as it goes.
    QTextCursor at(m_box->document());
    at.setPosition(int(place.end()));
    QRect under = m_box->cursorRect(at);
    under.moveLeft(std::max(0, std::min(under.left(), m_box->viewport()->width() - kOfferListWidth)));
    under.setWidth(kOfferListWidth);
    m_completer->complete(under.translated(m_box->viewport()->pos()));
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}

void PlaceholderFiller::takeOffer(const QString &value)
{
    if (m_active < 0)
        return;
    m_fill.setValue(m_fill.places().at(m_active).word, value);
    show(m_fill.caretAt(m_active, value.size()), m_active);
}

void PlaceholderFiller::keepValues(const QHash<QString, QString> &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QStringList &kept = m_typed[it.key()];
        kept.removeAll(it.value());
        kept.prepend(it.value());
        if (kept.size() > kOffersKept)
            kept.removeLast();
    }
}
