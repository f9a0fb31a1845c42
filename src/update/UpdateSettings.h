#pragma once

#include <QUrl>

// Where the update check asks and where it sends the user.
struct UpdateSettings {
    QUrl versionUrl;
    QUrl forumUrl;
    int timeoutMs = 0;

    // The program's own, fixed at build time.
    static UpdateSettings builtIn();
};
