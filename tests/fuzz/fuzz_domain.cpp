// Any text in the domain field: a domain that passes the check is made only
// of letters, digits, "." and "-", does not start with "-" (no option of ln),
// holds a known suffix, and gives exactly the
// two command lines, with nothing a shell would read as more than a word.
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString domain = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Subdomain::Verdict verdict = Subdomain::check(domain);
    if (domain.isEmpty() != (verdict == Subdomain::Verdict::Empty))
        std::abort();
    if (!Subdomain::confirmation(domain).contains(domain))
        std::abort();
    if (verdict != Subdomain::Verdict::Ok)
        return 0;
    if (domain.startsWith(QLatin1Char('-')))
        std::abort();
    for (const QChar c : domain) {
        const bool allowed = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                             || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('-');
        if (!allowed)
            std::abort();
    }
    const QString commands = Subdomain::bindCommands(domain);
    const QString expected = QStringLiteral("cd /etc/apache2/sites-enabled\nln -f -s ../sites-available/%1 %1.conf").arg(domain);
    if (commands != expected || commands.count(QLatin1Char('\n')) != 1)
        std::abort();
    return 0;
}
