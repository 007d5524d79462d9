#include "qt/folder_views.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>

namespace folvane::gui {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool LessIgnoringCase(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

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
            this, [this, folder] { emit opened(folder); }, Qt::QueuedConnection);
    });
}

void DirListBox::showFolders(const QStringList& chain, const QStringList& subfolders) {
    clear();
    path_ = chain.isEmpty() ? QString() : chain.back();
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
    for (const QString& folder : subfolders) {
        auto* item = parentItem ? new QTreeWidgetItem(parentItem, {QFileInfo(folder).fileName()})
                                : new QTreeWidgetItem(this, {QFileInfo(folder).fileName()});
        item->setIcon(0, closed);
        item->setData(0, kPathRole, folder);
    }
    expandAll();
    if (parentItem != nullptr) {
        setCurrentItem(parentItem);
        scrollToItem(parentItem);
    }
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    refresh();
    // activated: the user's choice only, not the program setting the drive.
    connect(this, &QComboBox::activated, this, [this] { emit driveChosen(drive()); });
}

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

}  // namespace folvane::gui
