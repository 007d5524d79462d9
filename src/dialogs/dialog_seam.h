// Every modal window of the main window is shown through here, so that a
// test can answer it instead of a person: the program's message windows,
// the unsaved-result question, the Save-As dialog and the system message
// box. Unscripted, each is simply shown and waited for.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

class QDialog;
class QFileDialog;
class QWidget;

namespace folvane::gui {

// A modal window that was shown while scripted: its objectName ("OKDialog1",
// "CloseDialog", "MessageBox", "SaveAs") and the text it carried.
struct ShownWindow {
    QString name;
    QString text;
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
    // Windows shown since the last call, oldest first.
    static QList<ShownWindow> takeShown();

    // --- For the program ---
    // Shows `dialog` modally over its owner and returns once it is hidden.
    static void showModal(QDialog& dialog);
    // The Save-As dialog; nothing when the user cancelled it.
    static std::optional<QString> askSavePath(QWidget* owner);
    // The system message box titled "Folvane" with only an OK button.
    static void showSystemMessage(QWidget* owner, const QString& text);

    // What every Save-As dialog is set to before it is shown: the two file
    // types, "SizeList.txt" proposed, a question before replacing a file.
    static void configureSaveAs(QFileDialog& dialog);
};

}  // namespace folvane::gui
