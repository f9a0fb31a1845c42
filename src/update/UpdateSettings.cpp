#include "UpdateSettings.h"

UpdateSettings UpdateSettings::builtIn()
{
    return {};
}
