#include "Subdomain.h"

#include "Ascii.h"
#include "LineEnd.h"
#include "PageTexts.h"
#include "SubdomainTexts.h"

#include <algorithm>

namespace Subdomain {

namespace {

bool hasKnownSuffix(const QString &domain)
{
    return std::any_of(std::begin(SubdomainTexts::kSuffixes), std::end(SubdomainTexts::kSuffixes),
                       [&](const char *suffix) { return domain.contains(QLatin1String(suffix), Qt::CaseSensitive); });
}

bool isDomainCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return Ascii::isLetter(u) || Ascii::isDigit(u) || u == '.' || u == '-';
}

// Where Apache puts the value of one of its variables ("${APACHE_LOG_DIR}")
// while it reads its configuration.
constexpr char kApacheVariable[] = "${";

bool isConfigWordCharacter(QChar c)
{
    return !c.isSpace() && c.category() != QChar::Other_Control && c != u'"' && c != u'\'' && c != u'\\';
}

} // namespace

Verdict check(const QString &domain)
{
    if (domain.isEmpty())
        return Verdict::Empty;
    // A leading "-" would make the domain an option of the commands built from it.
    if (!hasKnownSuffix(domain) || !std::all_of(domain.cbegin(), domain.cend(), isDomainCharacter)
        || domain.startsWith(QLatin1Char('-')))
        return Verdict::Wrong;
    return Verdict::Ok;
}

QString confirmation(const QString &domain)
{
    return QString::fromUtf8(SubdomainTexts::kConfirmDomain) + domain + QString::fromUtf8(PageTexts::kParagraphBreak)
           + QString::fromUtf8(SubdomainTexts::kConfirmQuestion);
}

QString bindCommands(const QString &domain)
{
    return QLatin1String(SubdomainTexts::kEnterSitesEnabled) + QLatin1String(LineEnd::kGiven)
           + QLatin1String(SubdomainTexts::kLinkSite) + domain + QLatin1Char(' ') + domain
           + QLatin1String(SubdomainTexts::kEnabledSiteSuffix);
}

bool isOneConfigWord(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), isConfigWordCharacter) && !text.contains(QLatin1String(kApacheVariable));
}

QString fillTemplate(const QString &hostTemplate, const QString &domain, const QString &path)
{
    return QString(hostTemplate)
        .replace(QString::fromUtf8(SubdomainTexts::kDomainPlaceholder), domain, Qt::CaseSensitive)
        .replace(QString::fromUtf8(SubdomainTexts::kPathPlaceholder), path, Qt::CaseSensitive);
}

} // namespace Subdomain
