// The update check at the end of start-up.
#include "Form1.h"

#include "AppTexts.h"
#include "desktop/Desktop.h"
#include "update/UpdateTexts.h"
#include "update/VersionCheck.h"

// The window stays drawn and usable while this waits for the server.
std::optional<QString> Form1::GetBody(const QUrl &url)
{
    return m_fetch.get(url);
}

bool Form1::gx()
{
    const std::optional<QString> versionFile = GetBody(m_update.versionUrl);
    // Closed while it waited: the check ends with the program.
    if (m_ended)
        return false;
    const QString title = QString::fromUtf8(AppTexts::kBrandTitle);
    const VersionCheck::Verdict verdict = VersionCheck::judge(versionFile);
    switch (verdict.outcome) {
    case VersionCheck::Outcome::CheckFailed:
        m_desktop.messageBox(QString::fromUtf8(UpdateTexts::kCheckFailed), Desktop::Style::Exclamation, title);
        return true;
    case VersionCheck::Outcome::UpToDate:
        return true;
    case VersionCheck::Outcome::NewVersion:
        m_desktop.messageBox(VersionCheck::announcement(verdict.version), Desktop::Style::Information, title);
        m_desktop.openUrl(m_update.forumUrl);
        endProgram(EXIT_SUCCESS);
        return false;
    }
    return true;
}
