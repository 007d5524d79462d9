#include "dialogs/select_dialog.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include "dialogs/dialog_seam.h"
#include "dialogs/folder_views.h"
#include "dialogs/ok_dialog.h"
#include "dialogs/window_fonts.h"
#include "dialogs/window_texts.h"
#include "input/selected_entries.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/twips.h"
#include "platform/network_folders.h"

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

// The sorted lists' order: letters compared ignoring case, ties by code.
int InsertPosition(const QListWidget& list, const QString& text) {
    int low = 0;
    int high = list.count();
    while (low < high) {
        const int middle = (low + high) / 2;
        const QString other = list.item(middle)->text();
        const int folded = QString::compare(other, text, Qt::CaseInsensitive);
        if (folded < 0 || (folded == 0 && other <= text))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

}  // namespace

SelectDialog::SelectDialog(QWidget* owner, OkDialog& okDialog1)
    : QDialog(owner), okDialog1_(okDialog1) {
    setObjectName(QStringLiteral("SelectDialog"));
    setWindowTitle(QStringLiteral("ﾌｫﾙﾀﾞ･ﾌｧｲﾙ選択ﾀﾞｲｱﾛｸﾞ"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    if (owner != nullptr) setWindowIcon(owner->windowIcon());
    setFont(WindowFont());
    setFixedSize(TwipsSize(8730, 6165));
    BuildControls();
    BuildTabOrder();
    ConnectHandlers();
    Form_Load();
    Select->setFocus();
}

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
    FileList = Place(new FileListBox(this), "FileList", TwipsRect(5640, 360, 2895, 2070),
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
    // activated: the user's choice only, not the program setting the drive.
    connect(DrvList, &QComboBox::activated, this, &SelectDialog::DrvList_Change);
    connect(DirList, &DirListBox::pathChanged, this, &SelectDialog::DirList_Change);
    connect(NetComp, &QPushButton::clicked, this, &SelectDialog::NetComp_Click);
    connect(Option1, &QRadioButton::clicked, this, &SelectDialog::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &SelectDialog::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &SelectDialog::Option3_Click);
    connect(Select, &QPushButton::clicked, this, &SelectDialog::Select_Click);
    connect(Delete, &QPushButton::clicked, this, &SelectDialog::Delete_Click);
    connect(Command1, &QPushButton::clicked, this, &SelectDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SelectDialog::Command2_Click);
}

void SelectDialog::Form_Load() {
    // The process's current folder; its views follow through DirList_Change.
    if (!DirList->setPath(QDir::currentPath())) DirList->setPath(QDir::rootPath());
    DrvList->setDriveOf(DirList->path());
}

void SelectDialog::FillFolderList() {
    FolList->clear();
    const QChar separator = QDir::separator();
    QStringList names;
    for (int i = 0; i < DirList->subfolderCount(); ++i) {
        const QString s = DirList->subfolderPath(i);
        const qsizetype last = s.lastIndexOf(separator);
        names.push_back(last >= 0 ? s.mid(last + 1) : s);
    }
    for (const QString& name : names) FolList->insertItem(InsertPosition(*FolList, name), name);
}

void SelectDialog::DirList_Change() {
    FileList->setPath(DirList->path());
    FillFolderList();
    // The drive selector follows the folder across volumes too.
    DrvList->setDriveOf(DirList->path());
}

void SelectDialog::DrvList_Change() {
    // A volume that cannot be opened returns the selector silently.
    if (!DirList->setPath(DrvList->drive())) DrvList->setDriveOf(DirList->path());
}

void SelectDialog::NetComp_Click() {
    const std::optional<std::string> start = NetworkBrowseStart();
    const std::optional<QString> chosen =
        DialogSeam::askFolder(this, start ? ToQt(*start) : QString());
    if (!chosen || chosen->isEmpty()) return;
    const QString folder = ToQt(AsChosenNetworkFolder(ToCore(QDir::toNativeSeparators(*chosen))));
    if (DirList->setPath(folder)) DrvList->setDriveOf(DirList->path());
}

void SelectDialog::LayOutLists(bool folders, bool files, bool wide) {
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

void SelectDialog::Option1_Click() { LayOutLists(true, true, false); }

void SelectDialog::Option2_Click() { LayOutLists(true, false, true); }

void SelectDialog::Option3_Click() { LayOutLists(false, true, true); }

void SelectDialog::AddToSelectList(const QString& path) {
    // Sorted, and the same path may be chosen more than once.
    SelectList->insertItem(InsertPosition(*SelectList, path), path);
}

void SelectDialog::AddSelected(QListWidget& list) {
    const QString folder = DirList->path();
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* entry = list.item(i);
        if (!entry->isSelected()) continue;
        AddToSelectList(JoinFolderPath(folder, entry->text()));
        entry->setSelected(false);
    }
}

void SelectDialog::Select_Click() {
    // Both lists, whichever are shown: a hidden list's selection counts.
    AddSelected(*FolList);
    AddSelected(*FileList);
}

void SelectDialog::Delete_Click() {
    for (int i = SelectList->count() - 1; i >= 0; --i)
        if (SelectList->item(i)->isSelected()) delete SelectList->takeItem(i);
}

void SelectDialog::Command1_Click() {
    if (SelectList->count() == 0) {
        // The main window's message window, owned by this one while shown.
        QWidget* mainOwner = okDialog1_.parentWidget();
        const Qt::WindowFlags flags = okDialog1_.windowFlags();
        okDialog1_.setParent(this, flags);
        okDialog1_.setMessage(kNothingSelected.toString());
        DialogSeam::showModal(okDialog1_);
        okDialog1_.setParent(mainOwner, flags);
        return;
    }
    // An entry that vanished or cannot be read adds nothing and is kept as
    // a problem for the runs to report; the others count.
    std::vector<std::string> files;
    confirmedProblems_.clear();
    for (int i = 0; i < SelectList->count(); ++i)
        AddSelectedEntry(ToCore(SelectList->item(i)->text()), files, confirmedProblems_);
    confirmedFiles_.clear();
    for (const std::string& file : files) confirmedFiles_.push_back(ToQt(file));
    accept();
}

void SelectDialog::Command2_Click() { reject(); }

}  // namespace folvane::gui
