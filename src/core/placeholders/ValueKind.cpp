#include "ValueKind.h"

#include "Ascii.h"
#include "PlaceholderTexts.h"
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <array>

namespace ValueKind {

namespace {

// Kinds by what the description holds: the first matching key wins, so the
// narrower keys come first.
struct KindKey {
    const char16_t *key;
    Kind kind;
};
constexpr std::array kKindKeys = {
    KindKey{u"域名或IP", Kind::DomainOrIp}, KindKey{u"IP", Kind::IpAddress},   KindKey{u"域名", Kind::Domain},
    KindKey{u"端口", Kind::Port},           KindKey{u"用户名", Kind::UserName}, KindKey{u"用户组", Kind::UserName},
    KindKey{u"数据库名", Kind::DatabaseName},
};
// What to type for a placeholder of each kind but Any.
struct KindHint {
    Kind kind;
    const char *hint;
};
constexpr std::array kKindHints = {
    KindHint{Kind::Command, PlaceholderTexts::kHintCommand},       KindHint{Kind::Domain, PlaceholderTexts::kHintDomain},
    KindHint{Kind::DomainOrIp, PlaceholderTexts::kHintDomainOrIp}, KindHint{Kind::IpAddress, PlaceholderTexts::kHintIpAddress},
    KindHint{Kind::Port, PlaceholderTexts::kHintPort},             KindHint{Kind::UserName, PlaceholderTexts::kHintUserName},
    KindHint{Kind::DatabaseName, PlaceholderTexts::kHintDatabaseName},
};

// The one description whose value is a command line of its own.
const char16_t kCommandWord[] = u"命令";

constexpr int kPortMax = 65535;
constexpr int kIpv4Parts = 4;
constexpr int kIpv4PartMax = 255;
// Longest user name that useradd takes; longest MySQL identifier.
constexpr qsizetype kUserNameMax = 32;
constexpr qsizetype kDatabaseNameMax = 64;

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return Ascii::isDigit(c.unicode()); });
}

// A decimal number without a leading zero, at most `max`.
bool isNumberUpTo(QStringView text, int max)
{
    if (!isDigits(text) || (text.size() > 1 && text.front() == QLatin1Char('0')))
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number <= max;
}

bool isIpv4(const QString &value)
{
    const QStringList parts = value.split(QLatin1Char('.'));
    return parts.size() == kIpv4Parts
           && std::all_of(parts.cbegin(), parts.cend(), [](const QString &part) { return isNumberUpTo(part, kIpv4PartMax); });
}

bool isIpAddress(const QString &value)
{
    if (!value.contains(QLatin1Char(':')))
        return isIpv4(value);
    const QHostAddress address(value);
    return address.protocol() == QAbstractSocket::IPv6Protocol && address.scopeId().isEmpty();
}

bool isDomain(const QString &value)
{
    return Subdomain::check(value) == Subdomain::Verdict::Ok;
}

QString notDomain()
{
    QStringList suffixes;
    for (const char *suffix : SubdomainTexts::kSuffixes)
        suffixes.append(QLatin1String(suffix));
    return QString::fromUtf8(PlaceholderTexts::kNotDomain) + suffixes.join(QString::fromUtf8(PlaceholderTexts::kSuffixSeparator));
}

Result<void> failure(const char *text)
{
    return Failure{QString::fromUtf8(text)};
}

} // namespace

Kind kindOf(const QString &word)
{
    if (word == QStringView(kCommandWord))
        return Kind::Command;
    const auto it = std::find_if(kKindKeys.begin(), kKindKeys.end(), [&](const KindKey &key) { return word.contains(QStringView(key.key)); });
    return it == kKindKeys.end() ? Kind::Any : it->kind;
}

Result<void> check(Kind kind, const QString &value)
{
    // Debian's NAME_REGEX of adduser.conf.
    static const QRegularExpression userName(QStringLiteral("^[a-z][-a-z0-9_]*\\$?$"));
    static const QRegularExpression databaseName(QStringLiteral("^[A-Za-z0-9_$]+$"));
    switch (kind) {
    case Kind::Any:
    case Kind::Command:
        return {};
    case Kind::Domain:
        return isDomain(value) ? Result<void>() : Failure{notDomain()};
    case Kind::DomainOrIp:
        return isDomain(value) || isIpAddress(value) ? Result<void>() : failure(PlaceholderTexts::kNotDomainOrIp);
    case Kind::IpAddress:
        return isIpAddress(value) ? Result<void>() : failure(PlaceholderTexts::kNotIpAddress);
    case Kind::Port:
        return isNumberUpTo(value, kPortMax) && value != QLatin1String("0") ? Result<void>() : failure(PlaceholderTexts::kNotPort);
    case Kind::UserName:
        return value.size() <= kUserNameMax && userName.match(value).hasMatch() ? Result<void>()
                                                                                 : failure(PlaceholderTexts::kNotUserName);
    case Kind::DatabaseName:
        return value.size() <= kDatabaseNameMax && databaseName.match(value).hasMatch() && !isDigits(value)
                   ? Result<void>()
                   : failure(PlaceholderTexts::kNotDatabaseName);
    }
    return {};
}

QString hintOf(Kind kind)
{
    const auto it = std::find_if(kKindHints.begin(), kKindHints.end(), [&](const KindHint &hint) { return hint.kind == kind; });
    return it == kKindHints.end() ? QString() : QString::fromUtf8(it->hint);
}

} // namespace ValueKind
