#pragma once

// The id of the product the New Product window just created (0 when it was
// cancelled), read by the window that opened it once it has closed.
int NewProductId();
void SetNewProductId(int id);
