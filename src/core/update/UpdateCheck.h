#pragma once

#include "HttpTextFetch.h"
#include "UpdateSettings.h"
#include "VersionCheck.h"

#include <QObject>

// The update check: fetches the version file and emits the verdict on it
// once, when the answer has come or the deadline has passed. Nothing waits
// for it; the program goes on handling the user's events meanwhile.
class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    explicit UpdateCheck(const UpdateSettings &settings, QObject *parent = nullptr);

    void start();
    // Stops a check in progress: no verdict follows.
    void stop();
    bool isRunning() const { return m_fetch.isRunning(); }

signals:
    void answered(const VersionCheck::Verdict &verdict);

private:
    const QUrl m_versionUrl;
    HttpTextFetch m_fetch;
};
