// The window's list boxes: List1 (input paths, accepts drops) and
// ResultList. Their horizontal scroll range is set from outside, as the
// width of the widest entry, rather than derived from the items, so that
// both lists scroll alike whatever font they show their text in.
#pragma once

#include <QListWidget>
#include <QMimeData>
#include <QStringList>
#include <optional>

namespace folvane::gui {

class ListBoxWidget : public QListWidget {
    Q_OBJECT

  public:
    explicit ListBoxWidget(QWidget* parent);

    // The width in pixels that can be scrolled through; 0 removes the
    // horizontal scroll bar.
    void setHorizontalExtent(int pixels);
    int horizontalExtent() const { return extent_; }

    QStringList itemTexts() const;
    void setItemTexts(const QStringList& texts);

    // Takes drops of anything; what a drop carries is for the window to judge.
    void setAcceptsFileDrops(bool accepts);

    // An entry wider than the list is a path cut short in the middle of
    // its folder part, with "…", the file name whole (ElidedPath), and no
    // horizontal scroll bar; its whole text is its tooltip.
    void setElidesStart(bool elides);
    bool elidesStart() const { return elidesStart_; }
    // What such a list shows of `path` in `room` pixels of `font`.
    static QString ElidedPath(const QString& path, const QFont& font, qreal room);

    // The lists' tab stops: every 8 half-width characters of `font`.
    static qreal TabStop(const QFont& font);

  signals:
    void dropped(const QMimeData* data);
    // A mouse button went down on the list: 1 left, 2 right, 4 middle.
    void mouseDown(int button, const QPoint& globalPos);

  protected:
    void updateGeometries() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void ApplyExtent();

    int extent_ = 0;
    bool applying_ = false;
    bool elidesStart_ = false;
};

// The full paths of the files and folders a drop carries, in the order the
// desktop lists them, with the system's separators; nothing when the drop
// carries no file list (a text selection, say).
std::optional<QStringList> DroppedPaths(const QMimeData& data);

// Sets the list's horizontal scroll range to its widest entry, measured in
// the font of the window the list sits in, plus the width of a vertical
// scroll bar; an empty list gets 0.
void SetHorizontalExtent(ListBoxWidget& list);

}  // namespace folvane::gui
