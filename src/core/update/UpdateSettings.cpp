#include "UpdateSettings.h"

#ifndef TOVANU_UPDATE_URL
#error "the build sets TOVANU_UPDATE_URL"
#endif
#ifndef TOVANU_FORUM_URL
#error "the build sets TOVANU_FORUM_URL"
#endif
#ifndef TOVANU_UPDATE_CHECK
#error "the build sets TOVANU_UPDATE_CHECK"
#endif

UpdateSettings UpdateSettings::builtIn()
{
    return {QUrl(QStringLiteral(TOVANU_UPDATE_URL)), QUrl(QStringLiteral(TOVANU_FORUM_URL)), kFetchTimeoutMs,
            TOVANU_UPDATE_CHECK != 0};
}
