#include "VersionCheck.h"

#include "UpdateTexts.h"

namespace VersionCheck {

namespace {

// Stands where the middle of a shortened version was.
constexpr char16_t kElision = u'\u2026';

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Every character after which text goes on in a new line.
bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

// How many characters at the start (or the end) of the version are shown:
// no more than the limits allow, and never half of a surrogate pair.
qsizetype shownAtEnd(QStringView version, bool atStart)
{
    const auto at = [&](qsizetype i) { return atStart ? version.at(i) : version.at(version.size() - 1 - i); };
    int breaks = 0;
    qsizetype shown = 0;
    while (shown < qMin(kShownEndLength, version.size())) {
        if (isLineBreak(at(shown)) && ++breaks > kShownEndBreaks)
            break;
        ++shown;
    }
    if (shown > 0 && shown < version.size() && (atStart ? at(shown - 1).isHighSurrogate() : at(shown - 1).isLowSurrogate()))
        --shown;
    return shown;
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

QString shownVersion(const QString &version)
{
    const qsizetype head = shownAtEnd(version, true);
    const qsizetype tail = shownAtEnd(version, false);
    if (head + tail >= version.size())
        return version;
    return version.left(head) + QChar(kElision) + version.right(tail);
}

QString announcement(const QString &version)
{
    return QString::fromUtf8(UpdateTexts::kNewVersionBefore) + shownVersion(version)
        + QString::fromUtf8(UpdateTexts::kNewVersionAfter);
}

} // namespace VersionCheck
