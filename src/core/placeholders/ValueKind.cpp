#include "ValueKind.h"

#include "Ascii.h"
#include "PlaceholderTexts.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <array>

namespace ValueKind {

namespace {

namespace T = PlaceholderTexts;

constexpr int kPortMax = 65535;
constexpr int kIpv4Parts = 4;
constexpr int kIpv4PartMax = 255;
// Longest user name that useradd takes; longest MySQL account name and identifier.
constexpr qsizetype kUserNameMax = 32;
constexpr qsizetype kMySqlUserNameMax = 32;
constexpr qsizetype kDatabaseNameMax = 64;
// Longest host name and label of the DNS, in ASCII form.
constexpr qsizetype kHostNameMax = 253;
constexpr qsizetype kLabelMax = 63;

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return Ascii::isDigit(c.unicode()); });
}

// A decimal number without a leading zero, from 1 to `max`.
bool isNumberUpTo(QStringView text, int max)
{
    if (!isDigits(text) || text.front() == QLatin1Char('0'))
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number <= max;
}

bool isIpv4(const QString &value)
{
    const QStringList parts = value.split(QLatin1Char('.'));
    return parts.size() == kIpv4Parts && std::all_of(parts.cbegin(), parts.cend(), [](const QString &part) {
               return part == QLatin1String("0") || isNumberUpTo(part, kIpv4PartMax);
           });
}

bool isIpAddress(const QString &value)
{
    if (!value.contains(QLatin1Char(':')))
        return isIpv4(value);
    const QHostAddress address(value);
    return address.protocol() == QAbstractSocket::IPv6Protocol && address.scopeId().isEmpty();
}

bool isLabel(QStringView label)
{
    return !label.isEmpty() && label.size() <= kLabelMax && label.front() != QLatin1Char('-') && label.back() != QLatin1Char('-')
           && std::all_of(label.cbegin(), label.cend(), [](QChar c) {
                  const char16_t u = c.unicode();
                  return Ascii::isLetter(u) || Ascii::isDigit(u) || u == '-';
              });
}

// A host name of two labels or more, in Unicode or ASCII form, whose last
// label is not a number.
bool isDomain(const QString &value)
{
    if (value.isEmpty() || value.endsWith(QLatin1Char('.')))
        return false;
    const QString ascii = QString::fromLatin1(QUrl::toAce(value));
    const QList<QStringView> labels = QStringView(ascii).split(QLatin1Char('.'));
    return ascii.size() <= kHostNameMax && labels.size() > 1 && std::all_of(labels.cbegin(), labels.cend(), isLabel)
           && !isDigits(labels.last());
}

// Debian's NAME_REGEX of adduser.conf.
bool isUserName(const QString &value)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z][-a-z0-9_]*\\$?$"));
    return value.size() <= kUserNameMax && pattern.match(value).hasMatch();
}

bool isOneOf(const QString &value, const QString &punctuation)
{
    return std::all_of(value.cbegin(), value.cend(), [&](QChar c) {
        const char16_t u = c.unicode();
        return Ascii::isLetter(u) || Ascii::isDigit(u) || punctuation.contains(c);
    });
}

// Why a value does not fit a kind, or null when it does.
using Why = const char *(*)(const QString &value);

const char *notDomain(const QString &value)
{
    return isDomain(value) ? nullptr : T::kNotDomain;
}

const char *notDomainOrIp(const QString &value)
{
    return isDomain(value) || isIpAddress(value) ? nullptr : T::kNotDomainOrIp;
}

const char *notIpAddress(const QString &value)
{
    return isIpAddress(value) ? nullptr : T::kNotIpAddress;
}

const char *notPort(const QString &value)
{
    return isNumberUpTo(value, kPortMax) ? nullptr : T::kNotPort;
}

const char *notPortRange(const QString &value)
{
    const QStringList ends = value.split(QLatin1Char(':'));
    const bool range = ends.size() == 2 && isNumberUpTo(ends.first(), kPortMax) && isNumberUpTo(ends.last(), kPortMax)
                       && ends.first().toInt() < ends.last().toInt();
    return range || isNumberUpTo(value, kPortMax) ? nullptr : T::kNotPortRange;
}

const char *notUserName(const QString &value)
{
    return isUserName(value) ? nullptr : T::kNotUserName;
}

const char *notMySqlUserName(const QString &value)
{
    return !value.isEmpty() && value.size() <= kMySqlUserNameMax && isOneOf(value, QStringLiteral("_.-$")) ? nullptr
                                                                                                          : T::kNotMySqlUserName;
}

const char *notDatabaseName(const QString &value)
{
    return !value.isEmpty() && value.size() <= kDatabaseNameMax && isOneOf(value, QStringLiteral("_-$")) && !isDigits(value)
               ? nullptr
               : T::kNotDatabaseName;
}

const char *notSiteFolder(const QString &value)
{
    return value.startsWith(QLatin1Char('/')) ? nullptr : T::kNotSiteFolder;
}

const char *notPublicKey(const QString &value)
{
    static const QRegularExpression line(QStringLiteral("^(?:ssh|ecdsa|sk)-[-.@a-z0-9]+ [A-Za-z0-9+/]+={0,3}(?: [^\\n]*)?$"));
    if (value.contains(QLatin1String("PRIVATE KEY")))
        return T::kPrivateKeyGiven;
    return line.match(value).hasMatch() ? nullptr : T::kNotPublicKey;
}

// Where a kind applies beyond its description.
enum class Needs { Nothing, PortRange, Sql };

// The kinds, by what the description holds (all of it for a Whole key) and
// where it stands: the first row that matches wins, so the narrower rows
// come first.
struct KindRow {
    const char16_t *key;
    bool whole;
    Needs needs;
    Kind kind;
    const char *hint;
    Why why;
};
constexpr std::array kKinds = {
    KindRow{u"命令", true, Needs::Nothing, Kind::Command, T::kHintCommand, nullptr},
    KindRow{u"域名或IP", false, Needs::Nothing, Kind::DomainOrIp, T::kHintDomainOrIp, notDomainOrIp},
    KindRow{u"IP", false, Needs::Nothing, Kind::IpAddress, T::kHintIpAddress, notIpAddress},
    KindRow{u"域名", false, Needs::Nothing, Kind::Domain, T::kHintDomain, notDomain},
    KindRow{u"端口", false, Needs::PortRange, Kind::PortRange, T::kHintPortRange, notPortRange},
    KindRow{u"端口", false, Needs::Nothing, Kind::Port, T::kHintPort, notPort},
    KindRow{u"用户名", false, Needs::Sql, Kind::MySqlUserName, T::kHintMySqlUserName, notMySqlUserName},
    KindRow{u"用户名", false, Needs::Nothing, Kind::UserName, T::kHintUserName, notUserName},
    KindRow{u"用户组", false, Needs::Nothing, Kind::UserName, T::kHintUserName, notUserName},
    KindRow{u"数据库名", false, Needs::Nothing, Kind::DatabaseName, T::kHintDatabaseName, notDatabaseName},
    KindRow{u"网站目录", false, Needs::Nothing, Kind::SiteFolder, T::kHintSiteFolder, notSiteFolder},
    KindRow{u"公钥", false, Needs::Nothing, Kind::PublicKey, T::kHintPublicKey, notPublicKey},
};

bool holds(const Setting &setting, Needs needs)
{
    switch (needs) {
    case Needs::Nothing:
        return true;
    case Needs::PortRange:
        return setting.takesPortRange;
    case Needs::Sql:
        return setting.sql;
    }
    return false;
}

const KindRow *rowOf(Kind kind)
{
    const auto it = std::find_if(kKinds.begin(), kKinds.end(), [&](const KindRow &row) { return row.kind == kind; });
    return it == kKinds.end() ? nullptr : &*it;
}

} // namespace

Kind kindOf(const QString &word, const Setting &setting)
{
    const auto it = std::find_if(kKinds.begin(), kKinds.end(), [&](const KindRow &row) {
        const QStringView key(row.key);
        return (row.whole ? word == key : word.contains(key)) && holds(setting, row.needs);
    });
    return it == kKinds.end() ? Kind::Any : it->kind;
}

Result<void> check(Kind kind, const QString &value)
{
    const KindRow *row = rowOf(kind);
    const char *why = row && row->why ? row->why(value) : nullptr;
    if (why)
        return Failure{QString::fromUtf8(why)};
    return {};
}

QString hintOf(Kind kind)
{
    const KindRow *row = rowOf(kind);
    return row ? QString::fromUtf8(row->hint) : QString();
}

} // namespace ValueKind
