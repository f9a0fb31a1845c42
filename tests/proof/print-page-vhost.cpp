// Prints the subdomain page's virtual host filled in for a domain and a site
// folder, exactly as the page puts it on the clipboard.
//
//   print-page-vhost DOMAIN FOLDER
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "用法: print-page-vhost 域名 路径\n");
        return EXIT_FAILURE;
    }
    const QByteArray text = Subdomain::fillTemplate(QString::fromUtf8(SubdomainTexts::kVirtualHostTemplate),
                                                    QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]))
                                .toUtf8();
    return std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size()) ? EXIT_SUCCESS : EXIT_FAILURE;
}
