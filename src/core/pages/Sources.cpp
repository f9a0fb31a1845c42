#include "Sources.h"

#include "SourcesTexts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace Sources {

namespace {

// The official archive's path has no slash at its end; every other one has.
constexpr char kOfficialArchive[] = "http://archive.ubuntu.com/ubuntu";
constexpr char kPartnerArchive[] = "http://archive.canonical.com/ubuntu/";
constexpr char kExtrasArchive[] = "http://extras.ubuntu.com/ubuntu/";
constexpr const char *kMirrors[] = {
    "http://mirrors.aliyun.com/ubuntu/",
    "http://mirrors.163.com/ubuntu/",
    "http://mirrors.ustc.edu.cn/ubuntu/",
};

constexpr char kBinary[] = "deb";
constexpr char kSource[] = "deb-src";
constexpr char kAllComponents[] = "main restricted universe multiverse";

// The official archive lists backports before proposed, the mirrors the other way.
const QStringList kHardySuites = {u"hardy"_s, u"hardy-security"_s, u"hardy-updates"_s, u"hardy-backports"_s,
                                  u"hardy-proposed"_s};
const QStringList kTrustySuites = {u"trusty"_s, u"trusty-security"_s, u"trusty-updates"_s, u"trusty-proposed"_s,
                                   u"trusty-backports"_s};
const QStringList kTrustyOnly = {u"trusty"_s};

void addEntries(QStringList &entries, const char *type, const char *archive, const QStringList &suites,
                const char *components)
{
    for (const QString &suite : suites)
        entries.append(QStringLiteral("%1 %2 %3 %4").arg(QLatin1String(type), QLatin1String(archive), suite,
                                                         QLatin1String(components)));
}

} // namespace

QString text()
{
    QStringList entries;
    addEntries(entries, kBinary, kOfficialArchive, kHardySuites, kAllComponents);
    addEntries(entries, kSource, kOfficialArchive, kHardySuites, kAllComponents);
    addEntries(entries, kBinary, kPartnerArchive, kTrustyOnly, "partner");
    addEntries(entries, kBinary, kExtrasArchive, kTrustyOnly, "main");
    for (const char *mirror : kMirrors) {
        addEntries(entries, kBinary, mirror, kTrustySuites, kAllComponents);
        addEntries(entries, kSource, mirror, kTrustySuites, kAllComponents);
    }
    return entries.join(QLatin1String(LineEnd::kGiven)) + QLatin1String(LineEnd::kGiven);
}

} // namespace Sources
