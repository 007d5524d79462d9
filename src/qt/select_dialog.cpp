#include "qt/select_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include "form/window_texts.h"
#include "qt/dialog_frame.h"
#include "qt/folder_views.h"
#include "qt/ok_dialog.h"
#include "qt/qt_text.h"
#include "qt/twips.h"
#include "qt/window_fonts.h"

namespace folvane::gui {

namespace {

// 14.25 points at 96 dots per inch.
constexpr int kLargeCaptionPixels = 19;
constexpr int kFrameTitleDrop = 5;

template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect geometry, const QString& tip = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    if (!tip.isEmpty()) widget->setToolTip(tip);
    return widget;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& tip, QRect geometry, bool large = false) {
    auto* button = Place(new QPushButton(caption, parent), name, geometry, tip);
    if (large) {
        QFont font = button->font();
        font.setPixelSize(kLargeCaptionPixels);
        button->setFont(font);
    }
    return button;
}

QListWidget* MakeList(QWidget* parent, const char* name, QRect geometry, const QString& tip) {
    auto* list = Place(new QListWidget(parent), name, geometry, tip);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

}  // namespace

SelectDialog::SelectDialog(QWidget* owner, OkDialog& okDialog1, form::SelectDialog& form)
    : QDialog(owner), okDialog1_(okDialog1), form_(form) {
    setObjectName(QStringLiteral("SelectDialog"));
    setWindowTitle(QStringLiteral("ﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾀﾞｲｱﾛｸﾞ"));
    setWindowFlags(FixedDialogFlags(true));
    if (owner != nullptr) setWindowIcon(owner->windowIcon());
    setFont(WindowFont());
    setFixedSize(TwipsSize(8730, 6165));
    BuildControls();
    BuildTabOrder();
    ConnectHandlers();
    form_.Attach(*this);
    Select->setFocus();
}

SelectDialog::~SelectDialog() { form_.Detach(); }

void SelectDialog::BuildControls() {
    Label1 = Place(new QLabel(QStringLiteral("ドライブ指定"), this), "Label1",
                   TwipsRect(120, 120, 1455, 255));
    DrvList = Place(new DriveListBox(this), "DrvList", TwipsRect(120, 360, 2175, 300),
                    QStringLiteral("ドライブを指定してください。"));
    NetComp =
        MakeButton(this, "NetComp", QStringLiteral("ﾈｯﾄﾜｰｸ･ｺﾝﾋﾟｭｰﾀ"),
                   QStringLiteral("ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀを指定します。"), TwipsRect(120, 700, 2175, 300));
    Label2 = Place(new QLabel(QStringLiteral("フォルダ指定"), this), "Label2",
                   TwipsRect(120, 1080, 1455, 255));
    DirList = Place(new DirListBox(this), "DirList", TwipsRect(120, 1320, 2175, 1770),
                    QStringLiteral("フォルダを指定してください。"));

    Frame1 = Place(new QGroupBox(QStringLiteral("選択リスト表示"), this), "Frame1",
                   TwipsRect(120, 3240, 2175, 1335), QStringLiteral("リストの表示を切替えます。"));
    Option1 = Place(new QRadioButton(QStringLiteral("ﾌｫﾙﾀﾞ･ﾌｧｲﾙ両方"), Frame1), "Option1",
                    TwipsRect(240, 240, 1695, 255),
                    QStringLiteral("表示をﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾘｽﾄの両方にします。"));
    Option2 =
        Place(new QRadioButton(QStringLiteral("ﾌｫﾙﾀﾞのみ"), Frame1), "Option2",
              TwipsRect(240, 600, 1335, 255), QStringLiteral("表示をﾌｫﾙﾀﾞ選択ﾘｽﾄのみにします。"));
    Option3 =
        Place(new QRadioButton(QStringLiteral("ﾌｧｲﾙのみ"), Frame1), "Option3",
              TwipsRect(240, 960, 1335, 255), QStringLiteral("表示をﾌｧｲﾙ選択ﾘｽﾄのみにします。"));
    Option1->setChecked(true);
    // Below the frame's top edge, which this style draws under the title
    // rather than through it.
    for (QRadioButton* option : {Option1, Option2, Option3})
        option->move(option->x(), option->y() + kFrameTitleDrop);

    Command1 = MakeButton(this, "Command1", QStringLiteral("確　 定"),
                          QStringLiteral("選択を確定します。"), TwipsRect(360, 4680, 1695, 615),
                          /*large=*/true);
    Command2 = MakeButton(this, "Command2", QStringLiteral("キャンセル"),
                          QStringLiteral("選択をとりやめます。"), TwipsRect(360, 5400, 1695, 615));

    Label3 = Place(new QLabel(QStringLiteral("フォルダ選択リスト"), this), "Label3",
                   TwipsRect(2520, 120, 1455, 255));
    FolList = MakeList(this, "FolList", TwipsRect(2520, 360, 2895, 2040),
                       QStringLiteral("フォルダを選んでください。（複数可）"));
    Label4 = Place(new QLabel(QStringLiteral("ファイル選択リスト"), this), "Label4",
                   TwipsRect(5640, 120, 1455, 255));
    FileList = MakeList(this, "FileList", TwipsRect(5640, 360, 2895, 2070),
                        QStringLiteral("ファイルを選んでください。（複数可）"));

    Select = MakeButton(this, "Select", QStringLiteral("↓ 追　　加 ↓"),
                        QStringLiteral("上記選択分を選択済リストに追加します。"),
                        TwipsRect(4440, 2520, 2175, 615), /*large=*/true);
    Delete =
        MakeButton(this, "Delete", QStringLiteral("削　除"),
                   QStringLiteral("下記選択分を削除します。"), TwipsRect(6960, 2640, 1575, 495));
    Label5 = Place(new QLabel(QStringLiteral("選択済リスト"), this), "Label5",
                   TwipsRect(2520, 3000, 1815, 255));
    SelectList = MakeList(this, "SelectList", TwipsRect(2520, 3240, 6015, 2760),
                          QStringLiteral("選択されたフォルダ・ファイルのリストです。"));

    // Enter presses the button that has the focus and nothing otherwise.
    for (QPushButton* button : {NetComp, Command1, Command2, Select, Delete})
        button->setAutoDefault(false);
}

void SelectDialog::BuildTabOrder() {
    const std::vector<QWidget*> order{Select,     FolList,  DrvList, DirList, FileList,
                                      SelectList, Option1,  Option2, Option3, Delete,
                                      Command1,   Command2, NetComp};
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void SelectDialog::ConnectHandlers() {
    connect(DrvList, &DriveListBox::driveChosen, this,
            [this](const QString& root) { form_.DrvList_Change(ToCore(root)); });
    connect(DirList, &DirListBox::opened, this,
            [this](const QString& path) { form_.DirList_Open(ToCore(path)); });
    connect(NetComp, &QPushButton::clicked, this, [this] { form_.NetComp_Click(); });
    connect(Option1, &QRadioButton::clicked, this, [this] { form_.Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { form_.Option2_Click(); });
    connect(Option3, &QRadioButton::clicked, this, [this] { form_.Option3_Click(); });
    connect(Select, &QPushButton::clicked, this, [this] { form_.Select_Click(); });
    connect(Delete, &QPushButton::clicked, this, [this] { form_.Delete_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { form_.Command2_Click(); });
}

QListWidget* SelectDialog::List(form::SelectList list) const {
    switch (list) {
        case form::SelectList::FolList:
            return FolList;
        case form::SelectList::FileList:
            return FileList;
        case form::SelectList::SelectList:
            break;
    }
    return SelectList;
}

void SelectDialog::SetDriveOf(const std::string& path) { DrvList->setDriveOf(ToQt(path)); }

void SelectDialog::ShowFolderTree(const std::vector<std::string>& chain,
                                  const std::vector<std::string>& subfolders) {
    QStringList chainTexts;
    for (const std::string& folder : chain) chainTexts.push_back(ToQt(folder));
    QStringList subfolderTexts;
    for (const std::string& folder : subfolders) subfolderTexts.push_back(ToQt(folder));
    DirList->showFolders(chainTexts, subfolderTexts);
}

void SelectDialog::SetListItems(form::SelectList list, std::span<const std::string> items) {
    QListWidget* widget = List(list);
    widget->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) texts.push_back(ToQt(item));
    widget->addItems(texts);
}

std::vector<std::size_t> SelectDialog::SelectedRows(form::SelectList list) const {
    const QListWidget* widget = List(list);
    std::vector<std::size_t> rows;
    for (int i = 0; i < widget->count(); ++i)
        if (widget->item(i)->isSelected()) rows.push_back(static_cast<std::size_t>(i));
    return rows;
}

void SelectDialog::ClearSelection(form::SelectList list) { List(list)->clearSelection(); }

void SelectDialog::LayOutLists(form::ListDisplay display) {
    const bool folders = display != form::ListDisplay::FilesOnly;
    const bool files = display != form::ListDisplay::FoldersOnly;
    const bool wide = display != form::ListDisplay::Both;
    const int listWidth = wide ? 6015 : 2895;
    Label3->setGeometry(TwipsRect(2520, 120, 1455, 255));
    FolList->setGeometry(TwipsRect(2520, 360, folders && wide ? listWidth : 2895, 2040));
    const int fileLeft = folders ? 5640 : 2520;
    Label4->setGeometry(TwipsRect(files ? fileLeft : 5640, 120, 1455, 255));
    FileList->setGeometry(
        TwipsRect(files ? fileLeft : 5640, 360, files && wide ? listWidth : 2895, 2070));
    Label3->setVisible(folders);
    FolList->setVisible(folders);
    Label4->setVisible(files);
    FileList->setVisible(files);
}

void ConfigureFolderPicker(QFileDialog& dialog, const QString& start) {
    dialog.setObjectName(QStringLiteral("FolderPicker"));
    dialog.setWindowTitle(ToQt(form::window_text::kChooseFolderTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!start.isEmpty()) dialog.setDirectory(start);
}

std::optional<std::string> SelectDialog::AskFolder(const std::string& start) {
    QFileDialog dialog(this);
    ConfigureFolderPicker(dialog, ToQt(start));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return ToCore(QDir::toNativeSeparators(chosen.first()));
}

void SelectDialog::ShowOKDialog1(const std::string& message) {
    form::OkDialog dialog(okDialog1_);
    okDialog1_.setSecondOwner(this);
    dialog.Show(message, form::MessageOwner::SelectDialog);
    okDialog1_.setSecondOwner(nullptr);
}

}  // namespace folvane::gui
