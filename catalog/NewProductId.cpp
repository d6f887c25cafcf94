#include "catalog/NewProductId.h"

namespace {
int g_newProductId = 0;
}

int NewProductId()
{
    return g_newProductId;
}

void SetNewProductId(int id)
{
    g_newProductId = id;
}
