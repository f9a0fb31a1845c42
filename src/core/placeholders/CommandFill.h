#pragma once

#include "Quoting.h"
#include "ShellText.h"
#include "ValueKind.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// A command with placeholders "<中文说明>" and the values typed for them: the
// text it shows, in which every place of a placeholder holds its value written
// for where it stands (Quoting), or the placeholder while it has none; and
// where each place lies in that text; a control character of a value shows
// as its picture ("␃"). An edit of the text is read back as a
// change of a value, of the command's own text, or as a new command.
class CommandFill
{
public:
    explicit CommandFill(const QString &command = QString());

    // One place of a placeholder in text().
    struct Place {
        QString word; // the placeholder's description
        qsizetype begin = 0;
        qsizetype length = 0;
        bool filled = false;
        QStringList problems; // why the value does not fit here; empty when it does
        QString withheld;     // why the value is never copied from here; empty when it is
        qsizetype end() const { return begin + length; }
    };

    const QString &text() const { return m_text; }
    const QList<Place> &places() const { return m_places; }
    // The values typed so far, by description.
    const QHash<QString, QString> &values() const { return m_values; }

    // Fills every place of the placeholder; an empty value shows the
    // placeholder again.
    void setValue(const QString &word, const QString &value);

    // What 复制 takes: text() with every value that would leave its place
    // (a control character, a line break out of a here-document) left out,
    // its placeholder standing in its places, and a control character of a
    // value as it is, not as the box shows it.
    struct Copy {
        QString text;
        QString notice; // what to tell the user instead of the copy notice; empty when nothing was left out
    };
    Copy copy() const;

    // What an edit of the text changed.
    struct Edited {
        qsizetype caret; // where the caret goes in the new text()
        int place;       // the place whose value changed, or -1
    };
    // The user changed text(): `removed` characters at `position` became
    // `inserted`. `typingInto` is the place whose value the user is typing
    // into, or -1: text put right before or after it joins its value.
    Edited edit(qsizetype position, qsizetype removed, const QString &inserted, int typingInto);

    // The place that position lies in or at an edge of, or -1.
    int placeAt(qsizetype position) const;
    // The first place of the next placeholder after `position` (or of the
    // previous one before it), in the order they first appear, round the
    // end; -1 when there is none.
    int nextPlace(qsizetype position, bool forward) const;
    // Where the caret stands before character `index` of the place's value;
    // after the whole value (and any closing quote) at the value's length.
    qsizetype caretAt(int place, qsizetype index) const;

    // What the place's tooltip says: what to put there, or the value and
    // why it does not fit.
    QString tooltipOf(int place) const;

private:
    struct Slot {
        QString word;
        ValueKind::Kind kind;
        ShellText::Context context;
        bool startsWord; // the value begins a word that a command reads, so "-" makes an option
        bool afterWww;   // the command puts "www." before the value itself
    };
    void parse(const QString &command);
    void render();
    static Quoting::Written writtenFor(const Slot &slot, const QString &value);
    bool movesTheRest(const QString &word, const QString &value) const;
    static void judge(const Slot &slot, const QString &value, Place &place);
    std::pair<qsizetype, qsizetype> changedPart(qsizetype position, qsizetype removed, const QString &inserted) const;
    Edited editValue(int place, qsizetype from, qsizetype to, const QString &inserted);

    QStringList m_literals; // the command's own text around the slots, one more than slots
    QList<ShellText::Context> m_literalContexts; // how the shell reads the literals' characters, one after the other
    QList<Slot> m_slots;
    QHash<QString, QString> m_values;
    QString m_text;
    QList<Place> m_places;            // one per slot
    QList<Quoting::Written> m_writes; // one per filled slot's place, empty for the others
};
