// SelectDialog: the window in which the user gathers folders and TIFF files
// into a chosen list and hands it to the main window's input list. A fresh
// one is made for every opening.
#pragma once

#include <string>
#include <vector>

#include "form/select_dialog_view.h"
#include "input/input_list.h"

namespace folvane::form {

class SelectDialog {
  public:
    SelectDialog() = default;
    // `withPdf`: folders show and add their *.pdf files too.
    explicit SelectDialog(bool withPdf) : withPdf_(withPdf) {}
    SelectDialog(const SelectDialog&) = delete;
    SelectDialog& operator=(const SelectDialog&) = delete;

    // The view calls Attach once its controls exist (Form_Load follows) and
    // Detach before it goes.
    void Attach(SelectDialogView& view);
    void Detach() { view_ = nullptr; }

    // The chosen list as confirmed, in its order; empty unless the user
    // confirmed. The main window examines the entries: a folder adds the
    // *.tif files it directly holds, anything else is taken as it is.
    const std::vector<std::string>& ConfirmedEntries() const { return confirmedEntries_; }
    bool Confirmed() const { return confirmed_; }

    // --- Handlers ---
    void Form_Load();
    // The user chose the volume whose root folder is `root`.
    void DrvList_Change(const std::string& root);
    // The user opened the folder `path` in the tree.
    void DirList_Open(const std::string& path);
    void NetComp_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Select_Click();
    void Delete_Click();
    void Command1_Click();
    void Command2_Click();

    // --- What the window holds, for the views and the tests ---
    const std::string& Folder() const { return folder_; }
    const std::vector<std::string>& Items(SelectList list) const;

  private:
    // Makes `path` the current folder; false, with nothing changed, when it
    // cannot be opened. DirList_Change follows a change.
    bool SetFolder(const std::string& path);
    void DirList_Change();
    void FillFolderList();
    void AddSelected(SelectList list);
    void AddToSelectList(const std::string& path);

    SelectDialogView* view_ = nullptr;
    bool withPdf_ = false;
    std::string folder_;
    std::vector<std::string> subfolders_;  // full paths, as DirList lists them
    std::vector<std::string> folList_;
    std::vector<std::string> fileList_;
    std::vector<std::string> selectList_;
    std::vector<std::string> confirmedEntries_;
    bool confirmed_ = false;
};

// The sorted lists' order: ASCII letters compared ignoring case, ties by
// byte order.
bool SortedListLess(const std::string& a, const std::string& b);

}  // namespace folvane::form
