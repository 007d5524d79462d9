#include "qt/list_box_widget.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHash>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <vector>

#include "form/path_elision.h"

namespace folvane::gui {

namespace {

// Draws an entry with its tabs expanded at every 8 half-width characters,
// the stops of the platform's list boxes that the result lines' columns
// (and the blank line closing a run) are made for. Qt's default stops are
// wider and would push the last columns out of the scroll range.
class TabStopDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(ListBoxWidget::TabStop(item.font));
        painter->save();
        painter->setFont(item.font);
        const bool selected = item.state & QStyle::State_Selected;
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const auto* list = qobject_cast<const ListBoxWidget*>(widget);
        if (list != nullptr && list->elidesStart()) {
            // The item is as wide as its text; what shows is the viewport.
            const int right = std::min(textRect.right(), list->viewport()->width() - 2);
            const QRectF room(textRect.left() + 2, textRect.top(), right - textRect.left() - 2,
                              textRect.height());
            const QString shown = ListBoxWidget::ElidedPath(text, item.font, room.width());
            painter->drawText(room, shown, layout);
        } else {
            // Not cut at the item's width: the scroll range decides what shows.
            painter->drawText(
                QRectF(textRect.left() + 2, textRect.top(), 1 << 20, textRect.height()), text,
                layout);
        }
        painter->restore();
    }
};

}  // namespace

ListBoxWidget::ListBoxWidget(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TabStopDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    // Every line is one text row: lets tens of thousands of result lines be
    // laid out without measuring each one.
    setUniformItemSizes(true);
}

QString ListBoxWidget::ElidedPath(const QString& path, const QFont& font, qreal room) {
    // The form layer's rule, as the Windows window draws its paths.
    const QFontMetricsF metrics(font);
    return QString::fromStdString(
        form::ElidePath(path.toStdString(), room, [&metrics](std::string_view part) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size())));
        }));
}

qreal ListBoxWidget::TabStop(const QFont& font) {
    return 8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
}

void ListBoxWidget::setElidesStart(bool elides) {
    elidesStart_ = elides;
    ApplyExtent();
    viewport()->update();
}

bool ListBoxWidget::viewportEvent(QEvent* event) {
    if (elidesStart_ && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const QListWidgetItem* entry = itemAt(help->pos())) {
            QToolTip::showText(help->globalPos(), entry->text(), viewport());
            return true;
        }
    }
    return QListWidget::viewportEvent(event);
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
    const bool scrolls = !elidesStart_ && extent_ > visible;
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

void ListBoxWidget::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            break;
    }
    // The right button leaves the selection alone: the context menu works on
    // the entries selected before it.
    if (button != 2) QListWidget::mousePressEvent(event);
    if (button != 0) emit mouseDown(button, event->globalPosition().toPoint());
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
// kerning or shaping, as the system's plain text measuring does; a tab
// moves on to the list's next tab stop. Shaping every line of a long run
// took longer than reading the files.
class AdvanceTable {
  public:
    AdvanceTable(const QFont& font, qreal tabStop) : metrics_(font), tabStop_(tabStop) {}

    int Width(const QString& text) {
        qreal width = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code == u'\t') {
                width = (std::floor(width / tabStop_) + 1) * tabStop_;
            } else if (code < kDirect) {
                qreal& cached = direct_[code];
                if (cached < 0) cached = metrics_.horizontalAdvance(c);
                width += cached;
            } else {
                auto found = other_.find(code);
                if (found == other_.end())
                    found = other_.insert(code, metrics_.horizontalAdvance(c));
                width += *found;
            }
        }
        return static_cast<int>(std::ceil(width));
    }

  private:
    static constexpr char16_t kDirect = 0x3100;  // ASCII to kana
    QFontMetricsF metrics_;
    qreal tabStop_;
    std::vector<qreal> direct_ = std::vector<qreal>(kDirect, -1);
    QHash<char16_t, qreal> other_;
};

}  // namespace

void SetHorizontalExtent(ListBoxWidget& list) {
    const int scrollBarWidth = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const qreal tabStop = ListBoxWidget::TabStop(list.font());
    // Measured in the window's font, as the platform this program was made
    // for does. There the list's font is as wide as the window's; here the
    // result list's monospaced font is wider, so the list's own font is
    // measured too, or the ends of the lines would be out of reach.
    AdvanceTable inWindowFont(list.window()->font(), tabStop);
    AdvanceTable inListFont(list.font(), tabStop);
    const bool sameFont = list.font() == list.window()->font();
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) {
        const QString text = list.item(i)->text();
        int width = inWindowFont.Width(text);
        if (!sameFont) width = std::max(width, inListFont.Width(text));
        width += scrollBarWidth;
        if (width > widest) widest = width;
    }
    list.setHorizontalExtent(widest);
}

}  // namespace folvane::gui
