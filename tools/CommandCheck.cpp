#include "CommandCheck.h"

#include "NameCheck.h"
#include "ShellSyntax.h"
#include "library/LibraryTexts.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

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

// The guard around the list of a command's placeholders; see guardFor().
const QString kGuardOpen = QStringLiteral("case '");
const QString kGuardClose = QStringLiteral("' in *'<'*[![:ascii:]]*'>'*) echo '请先把命令里尖括号<>中的说明换成实际的值,再粘贴' >&2; false;; esac && ");

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

QString guardFor(const QStringList &placeholderWords)
{
    QStringList listed;
    for (const QString &word : placeholderWords)
        listed.append(QLatin1Char('<') + word + QLatin1Char('>'));
    return kGuardOpen + listed.join(QLatin1Char(' ')) + kGuardClose;
}

namespace {

QStringList distinctWords(const QList<Placeholder> &placeholders)
{
    QStringList words;
    for (const Placeholder &placeholder : placeholders) {
        if (!words.contains(placeholder.word))
            words.append(placeholder.word);
    }
    return words;
}

// Whether the text runs as one command: nothing at its top level (outside
// quotes, groups and substitutions) that would start another one, so a
// failing guard before it stops all of it.
bool isOneCommand(const QString &text)
{
    const QList<Context> contexts = contextsOf(text);
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (contexts.at(i) != Context::Plain)
            continue;
        const QChar c = text.at(i);
        const QChar before = i > 0 ? text.at(i - 1) : QChar();
        const QChar after = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('(') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(')') || c == QLatin1Char('}')) {
            --depth;
        } else if (depth == 0) {
            const bool redirection = before == QLatin1Char('>') || before == QLatin1Char('<') || after == QLatin1Char('>');
            if (c == QLatin1Char(';') || c == QLatin1Char('\n') || (c == QLatin1Char('|') && after == QLatin1Char('|'))
                || (c == QLatin1Char('&') && before != QLatin1Char('&') && after != QLatin1Char('&') && !redirection))
                return false;
        }
    }
    return true;
}

// Why a command that holds placeholders is not guarded as guardFor() says.
std::optional<QString> guardProblem(const QString &pasted)
{
    const QList<Placeholder> placeholders = placeholdersOf(pasted);
    if (placeholders.isEmpty())
        return std::nullopt;
    const qsizetype close = pasted.indexOf(kGuardClose);
    if (!pasted.startsWith(kGuardOpen) || close < 0)
        return QStringLiteral("有占位符的命令要以守卫开头,未修改就粘贴时什么都不做:%1").arg(guardFor(distinctWords(placeholders)));
    const QString rest = pasted.mid(close + kGuardClose.size());
    const QString expected = guardFor(distinctWords(placeholdersOf(rest)));
    if (!pasted.startsWith(expected))
        return QStringLiteral("守卫要按出现的顺序列出命令里的每个占位符各一次:%1").arg(expected);
    if (!isOneCommand(rest))
        return QStringLiteral("守卫后面要是一条命令(多行时用“{”和“}”括起来),否则守卫挡不住后面的行");
    return std::nullopt;
}

} // namespace

bool runsOnServer(const QString &name)
{
    return !name.contains(QStringLiteral("在自己电脑上"));
}

QStringList textProblems(const QString &code, bool onServer)
{
    QStringList problems;
    const QString pasted = pastedText(code);
    if (const auto problem = guardProblem(pasted); problem && onServer)
        problems.append(*problem);
    const QList<Context> contexts = contextsOf(pasted);
    const QList<Placeholder> placeholders = placeholdersOf(pasted);

    for (const Placeholder &placeholder : placeholders) {
        const Context context = contexts.at(placeholder.begin);
        if (context == Context::Unsure)
            problems.append(QStringLiteral("读不准“<%1>”在shell里的位置(反引号里、here-document的命令替换里或$( )里的case之后):"
                                           "占位符要写在shell的读法确定的地方")
                                .arg(placeholder.word));
        else if (context != Context::Plain && context != Context::SingleQuoted && context != Context::QuotedHereDoc)
            problems.append(QStringLiteral("“<%1>”只能写在shell单词里、单引号里或带引号的here-document里,"
                                           "填入的值才能按所在位置加上引号")
                                .arg(placeholder.word));
        if (isSecret(placeholder.word))
            problems.append(QStringLiteral("“<%1>”是机密,不能写进命令(会留在屏幕和.bash_history里):"
                                           "请用 read -rs 让用户在提示下输入")
                                .arg(placeholder.word));
    }
    for (qsizetype i = 0; i < pasted.size(); ++i) {
        if (pasted.at(i) == QLatin1Char('!') && contexts.at(i) == Context::DoubleQuoted) {
            problems.append(QStringLiteral("双引号里有“!”,交互式bash会把它当作历史命令展开"));
            break;
        }
    }

    // A directive anywhere, in any capitals: ShellCheck reads it in a comment
    // that only this checker's reading of the text may take for a here-document.
    static const QRegularExpression directive(QStringLiteral("#\\s*shellcheck\\s+\\w+\\s*="),
                                              QRegularExpression::CaseInsensitiveOption);
    if (directive.match(pasted).hasMatch())
        problems.append(QStringLiteral("命令里不能有“# shellcheck disable=”这样的ShellCheck指令(不论大小写、写在哪里),"
                                       "它会让ShellCheck放过这条命令"));
    if (std::any_of(pasted.cbegin(), pasted.cend(), [](QChar c) { return c != QLatin1Char('\n') && c.category() == QChar::Other_Control; }))
        problems.append(QStringLiteral("命令里有控制字符(Ctrl+C、Esc、回车、制表符等):粘贴到终端时它会被当作按键"));
    // Interactive bash expands these before it reads the line: "^a^b" runs
    // the previous command changed, "!!", "!n" and "!str" an earlier one.
    static const QRegularExpression history(QStringLiteral("^[ \\t]*((?:\\^|![^\\s=(])\\S*)"), QRegularExpression::MultilineOption);
    if (const QRegularExpressionMatch match = history.match(pasted); match.hasMatch())
        problems.append(QStringLiteral("有一行以“%1”开头,交互式bash会把它当作历史命令展开").arg(match.captured(1)));

    QString outside = pasted;
    for (auto it = placeholders.crbegin(); it != placeholders.crend(); ++it)
        outside.replace(it->begin, it->length, QLatin1Char(' '));
    if (outside.startsWith(kGuardOpen) && outside.contains(kGuardClose))
        outside.remove(0, outside.indexOf(kGuardClose) + kGuardClose.size());
    // Messages to the user may be Chinese: the single-quoted text that echo
    // prints or read shows as its prompt.
    static const QRegularExpression message(QStringLiteral("(?:\\becho|\\s-\\w*p) '[^'\\n]*'"));
    outside.replace(message, QStringLiteral(" "));
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
        const QString visible = NameCheck::visibleForm(name);
        if (const auto it = firstLine.constFind(visible); it != firstLine.cend())
            faults.append({entry.line, QStringLiteral("名称“%1”与第%2行重复").arg(visible).arg(*it)});
        else
            firstLine.insert(visible, entry.line);
        for (const QString &problem : NameCheck::lookAlikeProblems(name))
            faults.append({entry.line, QStringLiteral("名称“%1”%2").arg(visible, problem)});
        if (!hasHan(name))
            faults.append({entry.line, QStringLiteral("名称“%1”里没有中文").arg(name)});
        if (const auto problem = widthProblem(name))
            faults.append({entry.line, QStringLiteral("名称“%1”%2").arg(name, *problem)});
    }
    return faults;
}

namespace {

// The lines that are not valid UTF-8 (a library saved as GBK, say).
QList<Fault> encodingFaults(const QByteArray &source)
{
    QList<Fault> faults;
    const QList<QByteArray> lines = source.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(lines.at(i));
        if (decoder.hasError())
            faults.append({int(i) + 1, QStringLiteral("这一行不是有效的UTF-8文字(库文件要存为UTF-8)")});
    }
    return faults;
}

} // namespace

QList<Fault> check(const QByteArray &source, const WidthProblem &widthProblem)
{
    QList<Fault> faults = encodingFaults(source);
    if (!faults.isEmpty())
        return faults;
    QList<CommandSource::ParseError> errors;
    const QList<CommandSource::Entry> entries = CommandSource::entries(QString::fromUtf8(source), errors);
    for (const CommandSource::ParseError &error : errors)
        faults.append({error.line, error.reason});
    faults += nameFaults(entries, widthProblem);

    QList<ShellSyntax::Script> scripts;
    for (const CommandSource::Entry &entry : entries) {
        for (const QString &problem : textProblems(entry.command.code, runsOnServer(entry.command.name)))
            faults.append({entry.line, problem});
        scripts.append({entry.line, filledScript(entry.command.code)});
        const QString pasted = pastedText(entry.command.code);
        if (pasted.contains(QLatin1Char('\n')) && !placeholdersOf(pasted).isEmpty())
            scripts.append({entry.line, pasted, true});
    }
    faults += ShellSyntax::check(scripts);
    std::stable_sort(faults.begin(), faults.end(), [](const Fault &a, const Fault &b) { return a.line < b.line; });
    return faults;
}

} // namespace CommandCheck
