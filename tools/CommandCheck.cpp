#include "CommandCheck.h"

#include "ShellSyntax.h"
#include "library/LibraryTexts.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace CommandCheck {

namespace {

// Kinds of placeholders: a word holding the key gets the sample. The first
// matching key wins, so the narrower keys come first.
struct SampleKind {
    const char16_t *key;
    const char16_t *sample;
};
constexpr std::array kSampleKinds = {
    SampleKind{u"公钥", u"ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIHRvdmFudQ alice@laptop"},
    SampleKind{u"IP", u"192.0.2.10"},
    SampleKind{u"UUID", u"3f2b6c1e-8a4d-4e1f-9b7a-2c5d8e0f1a3b"},
    SampleKind{u"网址", u"https://downloads.example.org/tool.zip"},
    SampleKind{u"域名", u"blog.example.org"},
    SampleKind{u"端口", u"2222"},
    SampleKind{u"版本", u"8.3"},
    SampleKind{u"号", u"3"},
    SampleKind{u"网站目录", u"/var/www/blog"},
    SampleKind{u"目录", u"/srv/data"},
    SampleKind{u"路径", u"/srv/data"},
    SampleKind{u"文件", u"/srv/data/notes"},
    SampleKind{u"用户", u"alice"},
    SampleKind{u"命令", u"uptime"},
    SampleKind{u"设备", u"sdb1"},
};
const char16_t kGenericSample[] = u"sample";

// Placeholder words that name something the user keeps secret, and what a
// user would type for one.
constexpr std::array kSecretKeys = {u"密码", u"密钥", u"口令", u"私钥"};
const char16_t kSecretSample[] = u"Xy9-zq7-Lm3";

// Stand-ins of other forms that a pasted command would act on as if real.
const QRegularExpression &foreignPlaceholder()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:\b(?:www\.)?example\.(?:com|net|org)\b|/path/to\b|\byour[_-]?(?:domain|site|name|user|password)\b))"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

bool isHan(QChar c)
{
    return c.script() == QChar::Script_Han;
}

bool hasHan(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), isHan);
}

} // namespace

QString pastedText(const QString &code)
{
    return QString(code).replace(QLatin1Char(LibraryTexts::kStoredLineBreak), QLatin1Char('\n'));
}

bool isSecret(const QString &word)
{
    return std::any_of(kSecretKeys.begin(), kSecretKeys.end(), [&](const char16_t *key) { return word.contains(QStringView(key)); });
}

QString sampleFor(const QString &word)
{
    if (isSecret(word))
        return QString::fromUtf16(kSecretSample);
    for (const SampleKind &kind : kSampleKinds) {
        if (word.contains(QStringView(kind.key)))
            return QString::fromUtf16(kind.sample);
    }
    return QString::fromUtf16(kGenericSample);
}

QString filledScript(const QString &code)
{
    QString script = pastedText(code);
    const QList<Placeholder> placeholders = placeholdersOf(script);
    for (auto it = placeholders.crbegin(); it != placeholders.crend(); ++it)
        script.replace(it->begin, it->length, sampleFor(it->word));
    return script;
}

QStringList textProblems(const QString &code)
{
    QStringList problems;
    const QString pasted = pastedText(code);
    const QList<Context> contexts = contextsOf(pasted);
    const QList<Placeholder> placeholders = placeholdersOf(pasted);

    for (const Placeholder &placeholder : placeholders) {
        if (isSecret(placeholder.word) && contexts.at(placeholder.begin) != Context::QuotedHereDoc)
            problems.append(QStringLiteral("“<%1>”是用户输入的机密,只能写在带引号的here-document里(<<'EOF'),"
                                           "在命令行或双引号里会被shell改动")
                                .arg(placeholder.word));
    }
    for (qsizetype i = 0; i < pasted.size(); ++i) {
        if (pasted.at(i) == QLatin1Char('!') && contexts.at(i) == Context::DoubleQuoted) {
            problems.append(QStringLiteral("双引号里有“!”,交互式bash会把它当作历史命令展开"));
            break;
        }
    }

    QString outside = pasted;
    for (auto it = placeholders.crbegin(); it != placeholders.crend(); ++it)
        outside.replace(it->begin, it->length, QLatin1Char(' '));
    static const QRegularExpression hanRun(QStringLiteral("[^\\s'\"]*\\p{Han}[^\\s'\"]*"));
    if (const QRegularExpressionMatch match = hanRun.match(outside); match.hasMatch())
        problems.append(QStringLiteral("“%1”里的中文不在<>里:占位符要写成<中文说明>").arg(match.captured()));
    if (const QRegularExpressionMatch match = foreignPlaceholder().match(pasted); match.hasMatch())
        problems.append(QStringLiteral("“%1”是别的写法的占位符:占位符要写成<中文说明>").arg(match.captured()));
    return problems;
}

QList<Fault> nameFaults(const QList<CommandSource::Entry> &entries, const WidthProblem &widthProblem)
{
    QList<Fault> faults;
    QHash<QString, int> firstLine;
    for (const CommandSource::Entry &entry : entries) {
        const QString &name = entry.command.name;
        if (const auto it = firstLine.constFind(name); it != firstLine.cend())
            faults.append({entry.line, QStringLiteral("名称“%1”与第%2行重复").arg(name).arg(*it)});
        else
            firstLine.insert(name, entry.line);
        if (!hasHan(name))
            faults.append({entry.line, QStringLiteral("名称“%1”里没有中文").arg(name)});
        if (const auto problem = widthProblem(name))
            faults.append({entry.line, QStringLiteral("名称“%1”%2").arg(name, *problem)});
    }
    return faults;
}

QList<Fault> check(const QString &sourceText, const WidthProblem &widthProblem)
{
    QList<CommandSource::ParseError> errors;
    const QList<CommandSource::Entry> entries = CommandSource::entries(sourceText, errors);
    QList<Fault> faults;
    for (const CommandSource::ParseError &error : errors)
        faults.append({error.line, error.reason});
    faults += nameFaults(entries, widthProblem);

    QList<ShellSyntax::Script> scripts;
    for (const CommandSource::Entry &entry : entries) {
        for (const QString &problem : textProblems(entry.command.code))
            faults.append({entry.line, problem});
        scripts.append({entry.line, filledScript(entry.command.code)});
    }
    faults += ShellSyntax::check(scripts);
    std::stable_sort(faults.begin(), faults.end(), [](const Fault &a, const Fault &b) { return a.line < b.line; });
    return faults;
}

} // namespace CommandCheck
