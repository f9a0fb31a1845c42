#include "StyleSheetSkin.h"

int StyleSheetSkin::attachEx(const QString &, const QString &)
{
    return 0;
}

int StyleSheetSkin::adjustHsv(int, int, int)
{
    return 0;
}
