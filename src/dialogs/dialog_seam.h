// Every modal window of the main window is shown through here, so that a
// test can answer it instead of a person: the program's message windows,
// the unsaved-result question, the Save-As dialog and the system message
// box, the selection and about windows, the folder picker and the lists'
// context menu. Unscripted, each is simply shown and waited for.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QFileDialog;
class QMenu;
class QPoint;
class QWidget;

namespace folvane::gui {

// A modal window that was shown while scripted: its objectName ("OKDialog1",
// "CloseDialog", "MessageBox", "SaveAs", "FolderPicker", "IDLPM"...), the
// text it carried and the objectName of the window that owned it.
struct ShownWindow {
    QString name;
    QString text;
    QString owner;
};

class DialogSeam {
  public:
    // --- For tests ---
    // From now on modal windows are recorded and answered, not shown.
    static void script();
    static void unscript();
    static bool isScripted();
    // The next Save-As dialog chooses this path, or is cancelled.
    static void setNextSavePath(const QString& path);
    static void setNextSaveCancel();
    // The next CloseDialog is answered with YesButton (6), NoButton (7), or
    // closed with its close box (0). Unset, it is answered with No.
    static void setNextCloseAnswer(std::int16_t answer);
    // The next modal window is handed to `act` instead of being answered;
    // whatever `act` leaves it at is its outcome.
    static void setNextModalAction(std::function<void(QDialog&)> act);
    // The next folder picker chooses this folder, or is cancelled.
    static void setNextFolder(const QString& path);
    static void setNextFolderCancel();
    // The next popup menu chooses the item of this objectName; unset or
    // empty, the popup is closed without a choice.
    static void setNextPopupChoice(const QString& itemName);
    // Windows shown since the last call, oldest first.
    static QList<ShownWindow> takeShown();

    // --- For the program ---
    // Shows `dialog` modally over its owner and returns once it is hidden.
    static void showModal(QDialog& dialog);
    // The Save-As dialog; nothing when the user cancelled it.
    static std::optional<QString> askSavePath(QWidget* owner);
    // The system message box titled "Folvane" with only an OK button.
    static void showSystemMessage(QWidget* owner, const QString& text);
    // The folder picker, starting in `start` (the default place when
    // empty); nothing when the user cancelled it.
    static std::optional<QString> askFolder(QWidget* owner, const QString& start);
    // Shows `menu` as a popup at `globalPos` and returns once it has
    // closed and the chosen item's handler has run.
    static void showPopup(QMenu& menu, const QPoint& globalPos);

    // What every Save-As dialog is set to before it is shown: the two file
    // types, "SizeList.txt" proposed, a question before replacing a file.
    static void configureSaveAs(QFileDialog& dialog);
    // What the folder picker is set to: its title, folders only, `start`.
    static void configureFolderPicker(QFileDialog& dialog, const QString& start);
};

}  // namespace folvane::gui
