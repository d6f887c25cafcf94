#pragma once

#include <QPixmap>

// The small pictures beside the printer setup choices, drawn rather than
// loaded so they follow the choice exactly.
namespace PrinterSetupPictures {

QPixmap orientation(bool landscape);
// option 0 one-sided, 1 "Tablet" (turned over the short edge), 2 "Book".
QPixmap duplex(int option, bool landscape);
QPixmap quality(int option);
QPixmap copies();

} // namespace PrinterSetupPictures
