#include "Store.h"

void Store::runSign()
{
    // The signing run arrives with the signature library.
}
