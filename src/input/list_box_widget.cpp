#include "input/list_box_widget.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <algorithm>

namespace folvane::gui {

ListBoxWidget::ListBoxWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    // Every line is one text row: lets tens of thousands of result lines be
    // laid out without measuring each one.
    setUniformItemSizes(true);
}

void ListBoxWidget::setHorizontalExtent(int pixels) {
    extent_ = std::max(0, pixels);
    ApplyExtent();
}

QStringList ListBoxWidget::itemTexts() const {
    QStringList texts;
    texts.reserve(count());
    for (int i = 0; i < count(); ++i) texts.push_back(item(i)->text());
    return texts;
}

void ListBoxWidget::setItemTexts(const QStringList& texts) {
    clear();
    addItems(texts);
}

void ListBoxWidget::setAcceptsFileDrops(bool accepts) {
    setAcceptDrops(accepts);
    viewport()->setAcceptDrops(accepts);
    setDragDropMode(accepts ? QAbstractItemView::DropOnly : QAbstractItemView::NoDragDrop);
}

void ListBoxWidget::updateGeometries() {
    QListWidget::updateGeometries();
    ApplyExtent();
}

void ListBoxWidget::ApplyExtent() {
    if (applying_) return;
    applying_ = true;
    const int visible = viewport()->width();
    const bool scrolls = extent_ > visible;
    const Qt::ScrollBarPolicy policy = scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
    // The bar may have taken or given back room: measure again.
    const int range = std::max(0, extent_ - viewport()->width());
    horizontalScrollBar()->setRange(0, scrolls ? range : 0);
    horizontalScrollBar()->setPageStep(viewport()->width());
    applying_ = false;
}

void ListBoxWidget::dragEnterEvent(QDragEnterEvent* event) { event->acceptProposedAction(); }

void ListBoxWidget::dragMoveEvent(QDragMoveEvent* event) { event->acceptProposedAction(); }

void ListBoxWidget::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    emit dropped(event->mimeData());
}

std::optional<QStringList> DroppedPaths(const QMimeData& data) {
    if (!data.hasUrls()) return std::nullopt;
    QStringList paths;
    bool anyFile = false;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        anyFile = true;
        paths.push_back(QDir::toNativeSeparators(url.toLocalFile()));
    }
    if (!anyFile) return std::nullopt;
    return paths;
}

void SetHorizontalExtent(ListBoxWidget& list) {
    const int scrollBarWidth = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Measured in the window's font, not the list's own.
    const QFontMetrics metrics(list.window()->font());
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) {
        const int width = metrics.horizontalAdvance(list.item(i)->text()) + scrollBarWidth;
        if (width > widest) widest = width;
    }
    list.setHorizontalExtent(widest);
}

}  // namespace folvane::gui
