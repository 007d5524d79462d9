// The selection window's views of the file system: the drive selector, the
// folder tree of the current folder and the list of its TIFF files. They
// show what is on disk when asked to, synchronously, so that the window can
// keep all of them in step.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QStringList>
#include <QTreeWidget>

namespace folvane::gui {

// The path with the system's separators and nothing doubled or relative.
QString CleanFolderPath(const QString& path);

// The folder `path` with `name` appended, one separator between them.
QString JoinFolderPath(const QString& path, const QString& name);

// The folder tree: the current folder's ancestors from the root down, then
// its sub-folders one level deeper. Opening an entry (double click, Enter)
// makes it the current folder.
class DirListBox : public QTreeWidget {
    Q_OBJECT

  public:
    explicit DirListBox(QWidget* parent);

    QString path() const { return path_; }
    // Makes `path` the current folder; false, with nothing changed, when
    // it cannot be opened. Announces a change with pathChanged.
    bool setPath(const QString& path);

    // The current folder's sub-folders as listed, by full path.
    int subfolderCount() const { return static_cast<int>(subfolders_.size()); }
    QString subfolderPath(int index) const;

  signals:
    void pathChanged();

  private:
    void Rebuild(const QStringList& chain);

    QString path_;
    QStringList subfolders_;
    QTreeWidgetItem* folderItem_ = nullptr;
};

// The drive selector: the volumes mounted on this system, each shown by its
// root folder and its name.
class DriveListBox : public QComboBox {
    Q_OBJECT

  public:
    explicit DriveListBox(QWidget* parent);

    // Re-reads the mounted volumes.
    void refresh();
    // The root folder of the entry shown.
    QString drive() const;
    // Shows the volume holding `path`, added to the list if it was not on
    // it. Announces nothing: only the user's choice is a change.
    void setDriveOf(const QString& path);
};

// The names of the current folder's files that match *.tif, any letter case.
class FileListBox : public QListWidget {
    Q_OBJECT

  public:
    explicit FileListBox(QWidget* parent);

    QString path() const { return path_; }
    // Lists `path`; a folder that cannot be listed shows no files.
    void setPath(const QString& path);

  private:
    QString path_;
};

}  // namespace folvane::gui
