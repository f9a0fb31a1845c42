// Any command and any edits of its text: filling never crashes, the places
// lie in the text in order, a place still to fill shows its placeholder, and
// the caret stays in the text; the places of a placeholder all hold its
// value, or all wait for one.
#include "placeholders/CommandFill.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The most characters an edit removes, and bytes it puts in.
constexpr int kEditSpan = 8;

void checkPlaces(const CommandFill &fill)
{
    qsizetype after = 0;
    QHash<QString, bool> filled; // whether a placeholder's places hold a value
    for (const CommandFill::Place &place : fill.places()) {
        if (place.begin < after || place.end() > fill.text().size())
            std::abort();
        if (filled.value(place.word, place.filled) != place.filled)
            std::abort();
        filled.insert(place.word, place.filled);
        if (!place.filled && fill.text().mid(place.begin, place.length) != QLatin1Char('<') + place.word + QLatin1Char('>'))
            std::abort();
        after = place.end();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input is the command, a NUL byte, then edits: a byte for where (of
    // the text's length), one for how many characters go, one for how many
    // bytes come, and those bytes.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    CommandFill fill(QString::fromUtf8(split < 0 ? input : input.left(split)));
    checkPlaces(fill);
    int typingInto = -1;
    for (qsizetype i = split < 0 ? input.size() : split + 1; i + 3 <= input.size();) {
        const qsizetype length = fill.text().size();
        const qsizetype position = uchar(input.at(i)) % (length + 1);
        const qsizetype removed = std::min<qsizetype>(uchar(input.at(i + 1)) % kEditSpan, length - position);
        const qsizetype count = uchar(input.at(i + 2)) % kEditSpan;
        const QString inserted = QString::fromUtf8(input.mid(i + 3, count));
        i += 3 + count;
        const CommandFill::Edited edited = fill.edit(position, removed, inserted, typingInto);
        if (edited.caret < 0 || edited.caret > fill.text().size())
            std::abort();
        typingInto = edited.place;
        checkPlaces(fill);
    }
    return 0;
}
