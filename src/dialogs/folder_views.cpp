#include "dialogs/folder_views.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>

#include "mainwindow/qt_text.h"
#include "platform/file_system.h"

namespace folvane::gui {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool LessIgnoringCase(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

QString CleanFolderPath(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(path).absolutePath()));
}

QString JoinFolderPath(const QString& path, const QString& name) {
    if (path.endsWith(QDir::separator())) return path + name;
    return path + QDir::separator() + name;
}

DirListBox::DirListBox(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(10);
    setItemsExpandable(false);
    // Every entry is open or a leaf: no expand arrows, as a folder list has
    // none. Long names scroll rather than being cut.
    setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    setTextElideMode(Qt::ElideNone);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        // Rebuilt once the activation is over, not under the item's feet.
        const QString folder = item->data(0, kPathRole).toString();
        QMetaObject::invokeMethod(
            this,
            [this, folder] {
                // A folder that cannot be opened leaves the tree where it was.
                if (!setPath(folder)) setCurrentItem(folderItem_);
            },
            Qt::QueuedConnection);
    });
}

bool DirListBox::setPath(const QString& path) {
    const QString clean = CleanFolderPath(path);
    const QDir dir(clean);
    if (!dir.exists() || !dir.isReadable()) return false;
    if (clean == path_ && topLevelItemCount() > 0) return true;

    QStringList subfolders;
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        subfolders.push_back(JoinFolderPath(clean, name));

    QStringList chain;
    QDir up(clean);
    while (!up.isRoot()) {
        chain.prepend(QDir::toNativeSeparators(up.absolutePath()));
        if (!up.cdUp()) break;
    }
    chain.prepend(QDir::toNativeSeparators(up.absolutePath()));

    path_ = clean;
    subfolders_ = subfolders;
    Rebuild(chain);
    emit pathChanged();
    return true;
}

QString DirListBox::subfolderPath(int index) const {
    return subfolders_.value(static_cast<qsizetype>(index));
}

void DirListBox::Rebuild(const QStringList& chain) {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parentItem = nullptr;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        const QString& folder = chain[i];
        const QString name = i == 0 ? folder : QFileInfo(folder).fileName();
        auto* item = parentItem ? new QTreeWidgetItem(parentItem, {name})
                                : new QTreeWidgetItem(this, {name});
        item->setIcon(0, open);
        item->setData(0, kPathRole, folder);
        parentItem = item;
    }
    for (const QString& folder : subfolders_) {
        auto* item = new QTreeWidgetItem(parentItem, {QFileInfo(folder).fileName()});
        item->setIcon(0, closed);
        item->setData(0, kPathRole, folder);
    }
    expandAll();
    folderItem_ = parentItem;
    setCurrentItem(parentItem);
    scrollToItem(parentItem);
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) { refresh(); }

void DriveListBox::refresh() {
    clear();
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        return LessIgnoringCase(a.rootPath(), b.rootPath());
    });
    for (const QStorageInfo& volume : volumes) {
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        const QString name = volume.name();
        addItem(name.isEmpty() ? root : root + QStringLiteral(" [") + name + QLatin1Char(']'),
                root);
    }
}

QString DriveListBox::drive() const { return currentData().toString(); }

void DriveListBox::setDriveOf(const QString& path) {
    const QString root = QDir::toNativeSeparators(QStorageInfo(path).rootPath());
    if (root.isEmpty()) return;
    int index = findData(root);
    if (index < 0) {
        addItem(root, root);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileListBox::setPath(const QString& path) {
    path_ = path;
    clear();
    auto names = ListTifFileNames(ToCore(path));
    if (!names) return;
    QStringList texts;
    for (const std::string& name : *names) texts.push_back(ToQt(name));
    std::sort(texts.begin(), texts.end(), LessIgnoringCase);
    addItems(texts);
}

}  // namespace folvane::gui
