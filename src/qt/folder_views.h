// The selection window's drive selector and folder tree. The selector
// knows the system's volumes; the tree shows the folders its form names.
#pragma once

#include <QComboBox>
#include <QStringList>
#include <QTreeWidget>

namespace folvane::gui {

// The folder tree: the current folder's ancestors from the root down, then
// its sub-folders one level deeper. Opening an entry (double click, Enter)
// is announced with opened(path).
class DirListBox : public QTreeWidget {
    Q_OBJECT

  public:
    explicit DirListBox(QWidget* parent);

    // `chain` from the root down to the current folder, full paths.
    void showFolders(const QStringList& chain, const QStringList& subfolders);
    // The current folder, as shown last.
    QString path() const { return path_; }

  signals:
    void opened(const QString& path);

  private:
    QString path_;
};

// The drive selector: the volumes mounted on this system, each shown by its
// root folder and its name. The user's choice is announced with
// driveChosen(root).
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

  signals:
    void driveChosen(const QString& root);
};

}  // namespace folvane::gui
