#pragma once

#include <QString>

class cDIBSection;

// Employee pictures as JPEG files.
namespace JpegFile {

// Writes the bitmap to fileName as a JPEG of the given quality (1–100).
// The picture is written to a temporary file beside the target and renamed
// over it, so a failed write leaves the old picture whole. A file that
// existed keeps its modification and access times and its permissions.
// False with the reason in *error ("Failed to save to JPG …") otherwise;
// an empty bitmap is refused and nothing is written.
bool SaveJPG(const cDIBSection &dib, const QString &fileName, int quality, QString *error = nullptr);

} // namespace JpegFile
