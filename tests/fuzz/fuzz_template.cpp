// Any domain and path in the virtual-host template: the fill never crashes,
// keeps the lines without placeholders, and leaves no placeholder that the
// inputs did not bring in.
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input is the domain, a NUL byte, then the path.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QString domain = QString::fromUtf8(split < 0 ? input : input.left(split));
    const QString path = split < 0 ? QString() : QString::fromUtf8(input.mid(split + 1));
    const QString hostTemplate = QString::fromUtf8(SubdomainTexts::kVirtualHostTemplate);

    const QString filled = Subdomain::fillTemplate(hostTemplate, domain, path);
    const QString domainMark = QStringLiteral("域名");
    const QString pathMark = QStringLiteral("路径");
    // Placeholders can only come back through the inputs, whole or pieced
    // together from their characters.
    const auto bringsMarks = [&](const QString &given) {
        for (const QChar c : QString(domainMark + pathMark)) {
            if (given.contains(c))
                return true;
        }
        return false;
    };
    if (!bringsMarks(domain) && !bringsMarks(path) && (filled.contains(domainMark) || filled.contains(pathMark)))
        std::abort();
    // The lines without placeholders stand as they are, first and last included.
    if (!filled.startsWith(QLatin1String("\n<VirtualHost *:80>\n")) || !filled.endsWith(QLatin1String("\n</VirtualHost>\n")))
        std::abort();
    return 0;
}
