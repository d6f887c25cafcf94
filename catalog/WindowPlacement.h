#pragma once

class QWidget;

// A window's size and place kept in the settings store under its own name
// ("frmInventory.Width", "Height", "Left", "Top"), in twips (15 to a pixel).
namespace WindowPlacement {

// Applies the stored values (defaults 20000 x 13000 at 0, 0), kept within
// the screen the window lands on.
void Restore(QWidget *window);
// Stores the window's present size and place.
void Save(const QWidget *window);

} // namespace WindowPlacement
