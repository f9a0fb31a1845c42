#include "VersionCheck.h"

#include "UpdateTexts.h"

namespace VersionCheck {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

std::optional<QString> versionField(const QString &versionFile)
{
    const QLatin1String marker(UpdateTexts::kMarker);
    const qsizetype markerAt = versionFile.indexOf(marker);
    if (markerAt < 0)
        return std::nullopt;
    const qsizetype from = markerAt + marker.size();
    const qsizetype nextMarkerAt = versionFile.indexOf(marker, from);
    QString field = versionFile.mid(from, nextMarkerAt < 0 ? -1 : nextMarkerAt - from);
    field.remove(QLatin1Char(UpdateTexts::kSeparator));

    qsizetype begin = 0;
    qsizetype end = field.size();
    while (begin < end && isBlank(field.at(begin)))
        ++begin;
    while (end > begin && isBlank(field.at(end - 1)))
        --end;
    if (begin == end)
        return std::nullopt;
    return field.mid(begin, end - begin);
}

Verdict judge(const Result<QString> &versionFile)
{
    const std::optional<QString> field = versionFile ? versionField(*versionFile) : std::nullopt;
    if (!field)
        return {Outcome::CheckFailed, {}};
    if (*field == QLatin1String(UpdateTexts::kOwnVersion))
        return {Outcome::UpToDate, {}};
    return {Outcome::NewVersion, *field};
}

QString announcement(const QString &version)
{
    return QString::fromUtf8(UpdateTexts::kNewVersionBefore) + version + QString::fromUtf8(UpdateTexts::kNewVersionAfter);
}

} // namespace VersionCheck
