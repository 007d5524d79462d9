// Column and total selection: each box kept in step with its menu twin, and
// the result area laid out by the two total boxes. A change never touches
// what is displayed; the boxes are read when the next run starts.
#include "form/main_form.h"

namespace folvane::form {

CheckValue MainForm::Value(MainCheck box) const {
    switch (box) {
        case MainCheck::Check_Total:
            return selection_.Check_Total;
        case MainCheck::Check_CTotal:
            return selection_.Check_CTotal;
        case MainCheck::Check_RTotal:
            return selection_.Check_RTotal;
        default:
            return selection_.Check[static_cast<std::size_t>(box)];
    }
}

SelectionState MainForm::CurrentSelection() const {
    SelectionState selection = selection_;
    selection.AresoText = view_.ResolutionText(ResolutionBox::AresoText);
    selection.BresoText = view_.ResolutionText(ResolutionBox::BresoText);
    return selection;
}

// Setting a box the program's way: shown, and its click handling runs as
// for the user's click, but only when the value changes.
void MainForm::SetCheck(MainCheck box, CheckValue value) {
    if (Value(box) == value) return;
    view_.SetCheckValue(box, value);
    switch (box) {
        case MainCheck::Check_Total:
            Check_Total_Click(value);
            break;
        case MainCheck::Check_CTotal:
            Check_CTotal_Click(value);
            break;
        case MainCheck::Check_RTotal:
            Check_RTotal_Click(value);
            break;
        default:
            Check_Click(static_cast<int>(box), value);
            break;
    }
}

// A menu item acts exactly like a click on its box: the box's own handling
// runs first (through its change), then the item's tick is set.
void MainForm::ToggleFromMenu(MainCheck box, MainMenuItem item) {
    const CheckValue value = Value(box);
    if (value == 0) {
        SetCheck(box, 1);
        view_.SetMenuChecked(item, true);
    } else if (value == 1) {
        SetCheck(box, 0);
        view_.SetMenuChecked(item, false);
    }
}

void MainForm::Check_Click(int column, CheckValue value) {
    if (column < 0 || column >= kColumnBoxCount) return;
    selection_.Check[static_cast<std::size_t>(column)] = value;
    if (value == 0) view_.SetMenuChecked(ColumnMenuItem(column), false);
    if (value == 1) view_.SetMenuChecked(ColumnMenuItem(column), true);
}

void MainForm::IDMCH_Click(int column) {
    if (column < 0 || column >= kColumnBoxCount) return;
    ToggleFromMenu(ColumnCheck(column), ColumnMenuItem(column));
}

void MainForm::IDMCHTO_Click() { ToggleFromMenu(MainCheck::Check_Total, MainMenuItem::IDMCHTO); }

void MainForm::IDMCHCT_Click() { ToggleFromMenu(MainCheck::Check_CTotal, MainMenuItem::IDMCHCT); }

void MainForm::IDMPdf_Click() {
    takesPdf_ = !takesPdf_;
    view_.SetMenuChecked(MainMenuItem::IDMPdf, takesPdf_);
}

void MainForm::Check_Total_Click(CheckValue value) {
    selection_.Check_Total = value;
    if (value != 0 && value != 1) return;
    view_.SetMenuChecked(MainMenuItem::IDMCHTO, value == 1);
    if (selection_.Check_CTotal != 0)
        view_.LayOutResultArea(ResultLayout::Summary);
    else
        view_.LayOutResultArea(value == 1 ? ResultLayout::TotalOnly : ResultLayout::None);
}

void MainForm::Check_CTotal_Click(CheckValue value) {
    selection_.Check_CTotal = value;
    if (value == 1) {
        view_.SetMenuChecked(MainMenuItem::IDMCHCT, true);
        view_.SetCheckEnabled(MainCheck::Check_RTotal, true);
        view_.LayOutResultArea(ResultLayout::Summary);
    } else if (value == 0) {
        view_.SetMenuChecked(MainMenuItem::IDMCHCT, false);
        view_.SetCheckEnabled(MainCheck::Check_RTotal, false);
        // Clears the two resolution texts through Check_RTotal_Click when
        // the box was ticked.
        SetCheck(MainCheck::Check_RTotal, 0);
        ShowResolutionInputs(false);
        view_.LayOutResultArea(selection_.Check_Total == 0 ? ResultLayout::None
                                                           : ResultLayout::TotalOnly);
    }
}

void MainForm::Check_RTotal_Click(CheckValue value) {
    selection_.Check_RTotal = value;
    if (value != 0 && value != 1) return;
    // Emptied in both directions, so a box that comes back never carries
    // an old resolution into the tallies.
    view_.SetResolutionText(ResolutionBox::AresoText, std::string());
    view_.SetResolutionText(ResolutionBox::BresoText, std::string());
    ShowResolutionInputs(value == 1);
}

void MainForm::ShowResolutionInputs(bool shown) { view_.ShowResolutionInputs(shown); }

}  // namespace folvane::form
