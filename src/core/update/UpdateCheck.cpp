#include "UpdateCheck.h"

UpdateCheck::UpdateCheck(const UpdateSettings &settings, QObject *parent)
    : QObject(parent)
    , m_versionUrl(settings.versionUrl)
    , m_fetch(settings.timeoutMs)
{
    connect(&m_fetch, &HttpTextFetch::finished, this,
            [this](const Result<QString> &versionFile) { emit answered(VersionCheck::judge(versionFile)); });
}

void UpdateCheck::start()
{
    m_fetch.start(m_versionUrl);
}

void UpdateCheck::stop()
{
    m_fetch.stop();
}
