// Any answer of the update server: the check never crashes, and a version it
// announces is a trimmed, non-empty field without separators, taken from
// after the marker, shown whole or shortened to its two ends.
#include "update/UpdateTexts.h"
#include "update/VersionCheck.h"

#include <cstdlib>

namespace {
bool isTrimmedBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString answer = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const VersionCheck::Verdict verdict = VersionCheck::judge(answer);
    const auto field = VersionCheck::versionField(answer);
    const bool hasMarker = answer.contains(QLatin1String(UpdateTexts::kMarker));
    if (!hasMarker && (field || verdict.outcome != VersionCheck::Outcome::CheckFailed))
        std::abort();
    if (verdict.outcome == VersionCheck::Outcome::NewVersion) {
        const QString &version = verdict.version;
        if (version.isEmpty() || version != field.value_or(QString()) || version.contains(QLatin1Char('|'))
            || isTrimmedBlank(version.front()) || isTrimmedBlank(version.back()))
            std::abort();
        // Shown whole, or by its two ends: a few lines whatever was sent.
        const QString shown = VersionCheck::shownVersion(version);
        if (!VersionCheck::announcement(version).contains(shown))
            std::abort();
        if (shown != version
            && (shown.size() > 2 * VersionCheck::kShownEndLength + 1 || !version.startsWith(shown.first(shown.indexOf(QChar(0x2026))))))
            std::abort();
    }
    return 0;
}
