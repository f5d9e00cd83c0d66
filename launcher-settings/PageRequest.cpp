#include "PageRequest.h"

const char kPageUserAgent[] = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 10.0; Trident/7.0)";

bool IsRedirect(const PageAnswer& answer)
{
    const int s = answer.status;
    return (s == 301 || s == 302 || s == 303 || s == 307 || s == 308) && !answer.location.empty();
}
