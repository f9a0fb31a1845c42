#include "ListOrder.h"

#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <iterator>
#include <utility>

void ListOrder::CollatorCloser::operator()(UCollator *collator) const
{
    ucol_close(collator);
}

ListOrder::ListOrder(Collator collator)
    : m_collator(std::move(collator))
{
}

Result<ListOrder> ListOrder::open()
{
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open("zh_CN", &status));
    if (U_SUCCESS(status)) {
        // Secondary strength: accents count, case does not.
        ucol_setStrength(collator.get(), UCOL_SECONDARY);
        // Chinese collation puts Han before Latin; a Chinese Windows list
        // box lists Latin names first.
        const int32_t latinFirst[] = {USCRIPT_LATIN, USCRIPT_HAN};
        ucol_setReorderCodes(collator.get(), latinFirst, int32_t(std::size(latinFirst)), &status);
    }
    if (U_FAILURE(status))
        return Failure{QString::fromLatin1(u_errorName(status))};
    return ListOrder(std::move(collator));
}
