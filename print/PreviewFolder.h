#pragma once

#include <QString>
#include <memory>

class QLockFile;
class QTemporaryDir;

// The private folder of one preview, in the system's temporary folder. It
// holds only the page files of that preview and is removed, with everything
// in it, when the preview closes. A lock inside marks it as in use; folders
// whose program died without cleaning up are removed the first time a
// folder is made in a later run.
class PreviewFolder
{
public:
    PreviewFolder();
    ~PreviewFolder();
    PreviewFolder(const PreviewFolder &) = delete;
    PreviewFolder &operator=(const PreviewFolder &) = delete;

    bool isValid() const;
    QString errorString() const { return m_error; }
    QString path() const;
    // Removes the folder and its files now.
    void remove();

    // Removes the folders of earlier runs that are no longer in use: only
    // this program's folders, owned by this user, whose lock is stale.
    // Returns how many were removed.
    static int removeLeftovers();

    static QString namePrefix();
    static QString lockFileName();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QLockFile> m_lock;
    QString m_error;
};
