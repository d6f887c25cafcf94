#pragma once

#include <QImage>
#include <QString>

// Pictures for the demo shop's employees: a simple drawn portrait for each
// employee and the "happy.jpg" fallback, written into the pictures folder
// where they are missing. A shop's own pictures are never replaced.
namespace DemoPictures {

// A portrait of 320 x 240, its colours chosen by the seed.
QImage Portrait(int seed);
// The fallback picture: a smiling face.
QImage Happy();

// Writes the missing pictures of every employee of the open database and
// the missing fallback. False with the reason in *error when one could not
// be written.
bool EnsureFiles(QString *error = nullptr);

} // namespace DemoPictures
