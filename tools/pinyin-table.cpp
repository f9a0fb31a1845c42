// Turns Unicode's Unihan readings (Unihan_Readings.txt) into the compact
// table of toneless pinyin readings that the name search compiles in.
//
//   pinyin-table Unihan_Readings.txt PinyinData.cpp
//
// A character's readings are those of today's Mandarin: kMandarin (the most
// customary one, listed first), kXHC1983, kTGHZ2013 and kHanyuPinlu. Only a
// character with none of those takes the dictionary readings of kHanyuPinyin,
// which also hold readings long out of use. Tones are dropped, "ü" is written
// "v" as pinyin input methods type it, and equal readings are kept once.
#include <QFile>
#include <QHash>
#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

const QStringList kModernFields = {QStringLiteral("kMandarin"), QStringLiteral("kXHC1983"),
                                   QStringLiteral("kTGHZ2013"), QStringLiteral("kHanyuPinlu")};
const QString kDictionaryField = QStringLiteral("kHanyuPinyin");
constexpr char16_t kCombiningDiaeresis = 0x0308;
// Readings and code points written on one line of the generated source.
constexpr int kPerLine = 16;

// A reading without its tone, in lowercase ASCII; empty when it holds
// anything else.
QString toneless(const QString &reading)
{
    QString plain;
    for (const QChar c : reading.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() == kCombiningDiaeresis && plain.endsWith(QLatin1Char('u')))
            plain.back() = QLatin1Char('v');
        else if (c.category() == QChar::Mark_NonSpacing)
            continue;
        else if (c.isLower() && c.unicode() < 0x80)
            plain.append(c);
        else
            return {};
    }
    return plain;
}

// The readings of one field's value: "zhòng", "0149.100:chóng 1502.040:zhòng",
// "63680.020:zhòng,chóng,tóng" or "shù(1079) shǔ(91)".
QStringList readingsOf(const QString &value)
{
    static const QRegularExpression frequency(QStringLiteral("\\(\\d+\\)$"));
    QStringList readings;
    for (const QString &token : value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString list = token.mid(token.lastIndexOf(QLatin1Char(':')) + 1);
        list.remove(frequency);
        for (const QString &reading : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
            readings.append(reading);
    }
    return readings;
}

struct Character {
    QStringList modern;     // in the order of kModernFields
    QStringList dictionary; // kHanyuPinyin
};

bool readUnihan(const QString &path, QMap<char32_t, Character> &characters)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QMap<char32_t, QHash<QString, QStringList>> fields;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 3 || !parts[0].startsWith(QLatin1String("U+")))
            continue;
        bool ok = false;
        const auto codePoint = char32_t(parts[0].mid(2).toUInt(&ok, 16));
        if (ok && (kModernFields.contains(parts[1]) || parts[1] == kDictionaryField))
            fields[codePoint][parts[1]] = readingsOf(parts[2]);
    }
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        Character &character = characters[it.key()];
        for (const QString &field : kModernFields)
            character.modern += it->value(field);
        character.dictionary = it->value(kDictionaryField);
    }
    return true;
}

QStringList tonelessReadings(const Character &character)
{
    QStringList readings;
    for (const QString &reading : character.modern.isEmpty() ? character.dictionary : character.modern) {
        const QString plain = toneless(reading);
        if (!plain.isEmpty() && !readings.contains(plain))
            readings.append(plain);
    }
    return readings;
}

template<typename List, typename Write>
void writeArray(QTextStream &out, const char *declaration, const List &values, Write write)
{
    out << declaration << " = {";
    for (qsizetype i = 0; i < values.size(); ++i) {
        out << (i % kPerLine == 0 ? "\n   " : "") << ' ';
        write(values[i]);
        out << ',';
    }
    out << "\n};\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: pinyin-table Unihan_Readings.txt PinyinData.cpp\n");
        return 2;
    }
    QMap<char32_t, Character> characters;
    if (!readUnihan(QString::fromLocal8Bit(argv[1]), characters)) {
        std::fprintf(stderr, "pinyin-table: cannot read %s\n", argv[1]);
        return 1;
    }

    QStringList syllables;
    QHash<QString, int> syllableIds;
    QList<char32_t> codePoints;
    QList<int> readingEnds;
    QList<int> readings;
    for (auto it = characters.cbegin(); it != characters.cend(); ++it) {
        const QStringList own = tonelessReadings(*it);
        if (own.isEmpty())
            continue;
        for (const QString &syllable : own) {
            if (!syllableIds.contains(syllable)) {
                syllableIds.insert(syllable, int(syllables.size()));
                syllables.append(syllable);
            }
            readings.append(syllableIds.value(syllable));
        }
        codePoints.append(it.key());
        readingEnds.append(int(readings.size()));
    }
    QList<int> syllableEnds;
    QString syllableText;
    for (const QString &syllable : syllables) {
        syllableText += syllable;
        syllableEnds.append(int(syllableText.size()));
    }

    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "pinyin-table: cannot write %s\n", argv[2]);
        return 1;
    }
    QTextStream out(&file);
    out << "// Made by tools/pinyin-table from Unicode's Unihan_Readings.txt at build time.\n"
           "#include \"library/PinyinData.h\"\n\nnamespace PinyinData {\n\n";
    out << "const char syllableText[] = \"" << syllableText << "\";\n";
    const auto number = [&out](int value) { out << value; };
    writeArray(out, "const std::uint16_t syllableEnds[]", syllableEnds, number);
    writeArray(out, "const char32_t codePoints[]", codePoints,
               [&out](char32_t value) { out << "0x" << Qt::hex << uint(value) << Qt::dec; });
    writeArray(out, "const std::uint32_t readingEnds[]", readingEnds, number);
    writeArray(out, "const std::uint16_t readings[]", readings, number);
    out << "const std::size_t syllableCount = " << syllableEnds.size() << ";\n";
    out << "const std::size_t characterCount = " << codePoints.size() << ";\n\n} // namespace PinyinData\n";
    out.flush();
    if (!file.commit()) {
        std::fprintf(stderr, "pinyin-table: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("pinyin-table: %lld characters, %lld syllables\n", static_cast<long long>(codePoints.size()),
                static_cast<long long>(syllables.size()));
    return 0;
}
