// Prints what the subdomain page puts on the clipboard, exactly: the virtual
// host filled in for a domain and a site folder, or with --bind the commands
// that link the domain's site into Apache's enabled sites.
//
//   print-page-vhost DOMAIN FOLDER
//   print-page-vhost --bind DOMAIN
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "用法: print-page-vhost 域名 路径\n      print-page-vhost --bind 域名\n");
        return EXIT_FAILURE;
    }
    const bool bind = std::strcmp(argv[1], "--bind") == 0;
    const QString domain = QString::fromLocal8Bit(argv[bind ? 2 : 1]);
    const QByteArray text = (bind ? Subdomain::bindCommands(domain)
                                  : Subdomain::fillTemplate(QString::fromUtf8(SubdomainTexts::kVirtualHostTemplate),
                                                            domain, QString::fromLocal8Bit(argv[2])))
                                .toUtf8();
    return std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size()) ? EXIT_SUCCESS : EXIT_FAILURE;
}
