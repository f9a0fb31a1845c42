#pragma once

#include <QUrl>

// Where the update check asks and where it sends the user.
struct UpdateSettings {
    // How long the version file may take to arrive before the check gives up.
    static constexpr int kFetchTimeoutMs = 10'000;

    QUrl versionUrl;
    QUrl forumUrl;
    int timeoutMs = 0;
    // Whether start-up checks at all; a packager's build may leave it out.
    bool checkAtStart = true;

    // The program's own, fixed at build time (CMake cache variables
    // TOVANU_UPDATE_URL and TOVANU_FORUM_URL, option TOVANU_UPDATE_CHECK).
    static UpdateSettings builtIn();
};
