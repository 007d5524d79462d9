#include "input/list_box_widget.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHash>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <vector>

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

namespace {

// The width of a text as the sum of its characters' advances, without
// kerning or shaping, as the system's plain text measuring does. Shaping
// every line of a long run took longer than reading the files.
class AdvanceTable {
  public:
    explicit AdvanceTable(const QFont& font) : metrics_(font) {}

    int Width(const QString& text) {
        int width = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code < kDirect) {
                int& cached = direct_[code];
                if (cached < 0) cached = metrics_.horizontalAdvance(c);
                width += cached;
            } else {
                auto found = other_.find(code);
                if (found == other_.end())
                    found = other_.insert(code, metrics_.horizontalAdvance(c));
                width += *found;
            }
        }
        return width;
    }

  private:
    static constexpr char16_t kDirect = 0x3100;  // ASCII to kana
    QFontMetrics metrics_;
    std::vector<int> direct_ = std::vector<int>(kDirect, -1);
    QHash<char16_t, int> other_;
};

}  // namespace

void SetHorizontalExtent(ListBoxWidget& list) {
    const int scrollBarWidth = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Measured in the window's font, not the list's.
    AdvanceTable advances(list.window()->font());
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) {
        const int width = advances.Width(list.item(i)->text()) + scrollBarWidth;
        if (width > widest) widest = width;
    }
    list.setHorizontalExtent(widest);
}

}  // namespace folvane::gui
