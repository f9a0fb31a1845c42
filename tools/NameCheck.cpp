#include "NameCheck.h"

#include <QSet>

#include <algorithm>

namespace NameCheck {

namespace {

bool isFormatCharacter(char32_t c)
{
    return QChar::category(c) == QChar::Other_Format;
}

// Characters that show as nothing or as a blank without being the space:
// the braille blank, the Hangul fillers and the variation selectors.
bool isInvisibleLetter(char32_t c)
{
    constexpr char32_t kBrailleBlank = 0x2800;
    constexpr char32_t kHangulFillers[] = {0x115F, 0x1160, 0x3164, 0xFFA0};
    constexpr char32_t kSelectors[][2] = {{0xFE00, 0xFE0F}, {0xE0100, 0xE01EF}, {0x180B, 0x180F}};
    return c == kBrailleBlank || std::find(std::begin(kHangulFillers), std::end(kHangulFillers), c) != std::end(kHangulFillers)
           || std::any_of(std::begin(kSelectors), std::end(kSelectors), [c](const char32_t(&range)[2]) {
                  return range[0] <= c && c <= range[1];
              });
}

bool isOtherBlank(char32_t c)
{
    return c != U' ' && QChar::isSpace(c);
}

// The scripts of a word's letters beside Chinese, which mixes with any one of them.
QSet<QChar::Script> scriptsOf(const QList<char32_t> &word)
{
    QSet<QChar::Script> scripts;
    for (const char32_t c : word) {
        const QChar::Script script = QChar::script(c);
        if (QChar::isLetter(c) && script != QChar::Script_Han && script != QChar::Script_Common
            && script != QChar::Script_Inherited)
            scripts.insert(script);
    }
    return scripts;
}

bool mixesScripts(const QList<char32_t> &codePoints)
{
    QList<char32_t> word;
    for (qsizetype i = 0; i <= codePoints.size(); ++i) {
        if (i < codePoints.size() && !QChar::isSpace(codePoints.at(i))) {
            word.append(codePoints.at(i));
            continue;
        }
        if (scriptsOf(word).size() > 1)
            return true;
        word.clear();
    }
    return false;
}

} // namespace

QString visibleForm(const QString &name)
{
    QString form = name.normalized(QString::NormalizationForm_C);
    form.removeIf([](QChar c) { return isFormatCharacter(c.unicode()); });
    return form;
}

QStringList lookAlikeProblems(const QString &name)
{
    const QList<uint> ucs4 = name.toUcs4();
    const QList<char32_t> codePoints(ucs4.cbegin(), ucs4.cend());
    const auto holds = [&](auto test) { return std::any_of(codePoints.cbegin(), codePoints.cend(), test); };
    QStringList problems;
    if (holds([](char32_t c) { return QChar::category(c) == QChar::Other_Control; }))
        problems.append(QStringLiteral("里有控制字符"));
    if (holds(isFormatCharacter))
        problems.append(QStringLiteral("里有看不见的控制字符(双向或零宽)"));
    if (holds(isInvisibleLetter) || holds(isOtherBlank) || name.trimmed() != name)
        problems.append(QStringLiteral("里有看不见或像空格的字符(全角空格、盲文空白、韩文填充符、异体字选择符),或开头结尾有空白"));
    if (name != name.normalized(QString::NormalizationForm_KC))
        problems.append(QStringLiteral("不是NFKC规范形式:康熙部首、全角字母等兼容字符要换成通常的写法"));
    if (mixesScripts(codePoints))
        problems.append(QStringLiteral("的一个词里混用了几种文字(例如西里尔字母“А”混在英文里)"));
    return problems;
}

} // namespace NameCheck
