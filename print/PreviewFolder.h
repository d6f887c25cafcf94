#pragma once

#include <QString>

// The private folders, in the system's temporary folder, in which earlier
// versions of the program kept a preview's page files ("PPview" & n &
// ".bmp"). A lock inside marks a folder as in use; the folders whose
// program ended or died without removing them are removed when the print
// windows are installed and when a preview closes.
class PreviewFolder
{
public:
    PreviewFolder() = delete;

    // Removes the folders that are no longer in use: only this program's
    // folders, owned by this user, whose lock is stale. Returns how many
    // were removed.
    static int removeLeftovers();

    static QString namePrefix();
    static QString lockFileName();
};
