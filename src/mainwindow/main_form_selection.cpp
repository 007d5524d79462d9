// Column and total selection: each box kept in step with its menu twin, and
// the result area laid out by the two total boxes. A change never touches
// what is displayed; the boxes are read when the next run starts.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/twips.h"

namespace folvane::gui {

namespace {

CheckValue Value(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

// A menu item acts exactly like a click on its box: the box's own handling
// runs first (through its change), then the item's tick is set.
void ToggleFromMenu(QCheckBox* box, QAction* item) {
    const CheckValue value = Value(box);
    if (value == 0) {
        box->setChecked(true);
        item->setChecked(true);
    } else if (value == 1) {
        box->setChecked(false);
        item->setChecked(false);
    }
}

}  // namespace

SelectionState MainForm1::CurrentSelection() const {
    SelectionState selection;
    for (std::size_t i = 0; i < Check.size(); ++i) selection.Check[i] = Value(Check[i]);
    selection.Check_Total = Value(Check_Total);
    selection.Check_CTotal = Value(Check_CTotal);
    selection.Check_RTotal = Value(Check_RTotal);
    selection.AresoText = ToCore(AresoText->text());
    selection.BresoText = ToCore(BresoText->text());
    return selection;
}

void MainForm1::Check_Click(int column) {
    const auto index = static_cast<std::size_t>(column);
    const CheckValue value = Value(Check[index]);
    if (value == 0) IDMCH[index]->setChecked(false);
    if (value == 1) IDMCH[index]->setChecked(true);
}

void MainForm1::IDMCH_Click(int column) {
    const auto index = static_cast<std::size_t>(column);
    ToggleFromMenu(Check[index], IDMCH[index]);
}

void MainForm1::IDMCHTO_Click() { ToggleFromMenu(Check_Total, IDMCHTO); }

void MainForm1::IDMCHCT_Click() { ToggleFromMenu(Check_CTotal, IDMCHCT); }

void MainForm1::Check_Total_Click() {
    const CheckValue value = Value(Check_Total);
    if (value != 0 && value != 1) return;
    IDMCHTO->setChecked(value == 1);
    if (Value(Check_CTotal) != 0)
        ApplyLayout(ResultLayout::Summary);
    else
        ApplyLayout(value == 1 ? ResultLayout::TotalOnly : ResultLayout::None);
}

void MainForm1::Check_CTotal_Click() {
    const CheckValue value = Value(Check_CTotal);
    if (value == 1) {
        IDMCHCT->setChecked(true);
        Check_RTotal->setEnabled(true);
        ApplyLayout(ResultLayout::Summary);
    } else if (value == 0) {
        IDMCHCT->setChecked(false);
        Check_RTotal->setEnabled(false);
        // Clears the two resolution texts through Check_RTotal_Click when
        // the box was ticked.
        Check_RTotal->setChecked(false);
        ShowResolutionInputs(false);
        ApplyLayout(Value(Check_Total) == 0 ? ResultLayout::None : ResultLayout::TotalOnly);
    }
}

void MainForm1::Check_RTotal_Click() {
    const CheckValue value = Value(Check_RTotal);
    if (value != 0 && value != 1) return;
    // Emptied in both directions, so a box that comes back never carries
    // an old resolution into the tallies.
    AresoText->clear();
    BresoText->clear();
    ShowResolutionInputs(value == 1);
}

void MainForm1::ShowResolutionInputs(bool shown) {
    for (QLineEdit* box : {AresoText, BresoText}) {
        box->setEnabled(shown);
        box->setVisible(shown);
    }
    Label3->setVisible(shown);
    Label4->setVisible(shown);
}

void MainForm1::ApplyLayout(ResultLayout layout) {
    constexpr int kLeft = 3240;
    constexpr int kWidth = 8415;
    constexpr int kListTop = 1080;
    switch (layout) {
        case ResultLayout::Summary:
            Result->setVisible(true);
            Result->setGeometry(TwipsRect(kLeft, 3720, kWidth, 1935));
            ResultList->setGeometry(TwipsRect(kLeft, kListTop, kWidth, 2400));
            break;
        case ResultLayout::TotalOnly:
            Result->setVisible(true);
            Result->setGeometry(TwipsRect(kLeft, 5280, kWidth, 375));
            ResultList->setGeometry(TwipsRect(kLeft, kListTop, kWidth, 4020));
            break;
        case ResultLayout::None:
            // The hidden box keeps its place for the next layout to move.
            Result->setVisible(false);
            ResultList->setGeometry(TwipsRect(kLeft, kListTop, kWidth, 4560));
            break;
    }
}

}  // namespace folvane::gui
