#include "dialogs/ProvisionalNumbers.h"

ProvisionalNumbers &ProvisionalNumbers::processWide()
{
    static ProvisionalNumbers numbers;
    return numbers;
}
