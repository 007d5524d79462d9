// MainForm1's controls, menu tree and start-up.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "dialogs/close_dialog.h"
#include "dialogs/modeless_dialog.h"
#include "dialogs/ok_dialog.h"
#include "dialogs/window_fonts.h"
#include "dialogs/window_texts.h"
#include "input/list_box_widget.h"
#include "mainwindow/main_form.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/twips.h"
#include "state/texts.h"

namespace folvane::gui {

namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& tip, QRect geometry) {
    auto* button = Place(new QPushButton(caption, parent), name, geometry);
    button->setToolTip(tip);
    // Enter in the window must not press a button the user did not choose.
    button->setAutoDefault(false);
    return button;
}

struct ColumnBoxDesign {
    const char16_t* caption;
    int left;
    int top;
    const char16_t* menuCaption;
};

// Captions mix full-width and half-width katakana on purpose; the box of
// the paper column is shorter than its menu twin.
constexpr std::array<ColumnBoxDesign, kColumnBoxCount> kColumnBoxes{{
    {u"ファイル名", 240, 5760, u"ファイル名 (&1)"},
    {u"ﾊﾞｲﾄｵｰﾀﾞｰ", 240, 6000, u"ﾊﾞｲﾄｵｰﾀﾞｰ (&2)"},
    {u"ページ数", 240, 6240, u"ページ数 (&3)"},
    {u"PixelSize", 1560, 5760, u"PixelSize (&4)"},
    {u"解像度", 1560, 6000, u"解像度 (&5)"},
    {u"ﾐﾘｻｲｽﾞ", 1560, 6240, u"ﾐﾘｻｲｽﾞ (&6)"},
    {u"圧縮形式", 2760, 5760, u"圧縮形式 (&7)"},
    {u"色数", 2760, 6000, u"色数 (&8)"},
    {u"用紙", 3960, 5760, u"用紙ｻｲｽﾞ (&9)"},
    {u"向き", 3960, 6000, u"向き (&0)"},
}};

QString Text(const char16_t* text) { return QString::fromUtf16(text); }

}  // namespace

MainForm1::MainForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm1"));
    setWindowTitle(kProductName.toString());
    setFont(WindowFont());
    BuildControls();
    BuildMenus();
    BuildTabOrder();
    ConnectHandlers();
    Form_Initialize();
    // Fixed in size: the controls sit at fixed positions.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainForm1::~MainForm1() = default;

void MainForm1::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(TwipsSize(11910, 6630));
    setCentralWidget(client);

    SelctFile = MakeButton(client, "SelctFile", QStringLiteral("ファイル選択"),
                           QStringLiteral("Select File (Ctrl+O)"), TwipsRect(240, 240, 2055, 495));
    Start = MakeButton(client, "Start", QStringLiteral("結果表示"),
                       QStringLiteral("View Result (Ctrl+V)"), TwipsRect(3240, 240, 2535, 495));
    FileSave = MakeButton(client, "FileSave", QStringLiteral("結果のﾌｧｲﾙへの書出し"),
                          QStringLiteral("Save Result (Ctrl+S)"), TwipsRect(6000, 240, 2535, 495));
    Direct_Save =
        MakeButton(client, "Direct_Save", QStringLiteral("直接ファイルに書出し"),
                   QStringLiteral("DirectSave (Ctrl+D)"), TwipsRect(8760, 240, 2895, 495));
    Clear = MakeButton(client, "Clear", QStringLiteral("Clear"), QStringLiteral("Clear"),
                       TwipsRect(8400, 6000, 1335, 375));
    Close = MakeButton(client, "Close", QStringLiteral("終了"), QStringLiteral("Exit"),
                       TwipsRect(9960, 5880, 1695, 615));

    auto* line1 = Place(new QFrame(client), "Line1", TwipsRect(0, 0, 11880, 15));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    Label1 = Place(new QLabel(QStringLiteral("対　　象"), client), "Label1",
                   TwipsRect(240, 840, 1335, 255));
    Label2 = Place(new QLabel(QStringLiteral("結　　果"), client), "Label2",
                   TwipsRect(3240, 840, 1215, 255));

    List1 = Place(new ListBoxWidget(client), "List1", TwipsRect(240, 1080, 2775, 4560));
    List1->setToolTip(QStringLiteral(
        "右クリックで選択部分のコピー･削除が選べます。また このエリアのみDropに対応しています。"));
    List1->setAcceptsFileDrops(true);

    ResultList = Place(new ListBoxWidget(client), "ResultList", TwipsRect(3240, 1080, 8415, 2400));
    ResultList->setToolTip(QStringLiteral("右クリックで選択部分のコピー･削除が選べます。"));
    ResultList->setFont(ResultListFont());

    Result = Place(new QPlainTextEdit(client), "Result", TwipsRect(3240, 3720, 8415, 1935));
    Result->setToolTip(QStringLiteral("右クリックで選択範囲のコピー･削除が選べます。"));
    Result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetResultText(ToQt(text::kResultInitial));

    BuildSelectionControls(client);
}

void MainForm1::BuildSelectionControls(QWidget* client) {
    for (int i = 0; i < kColumnBoxCount; ++i) {
        const ColumnBoxDesign& design = kColumnBoxes[static_cast<std::size_t>(i)];
        auto* box = new QCheckBox(Text(design.caption), client);
        const QByteArray name = "Check" + QByteArray::number(i);
        Place(box, name.constData(), TwipsRect(design.left, design.top, 1455, 255));
        box->setChecked(true);
        Check[static_cast<std::size_t>(i)] = box;
    }
    Check_Total = Place(new QCheckBox(QStringLiteral("総合計"), client), "Check_Total",
                        TwipsRect(5280, 5760, 1455, 255));
    Check_Total->setChecked(true);
    Check_CTotal = Place(new QCheckBox(QStringLiteral("サイズ別合計"), client), "Check_CTotal",
                         TwipsRect(5280, 6000, 1455, 255));
    Check_CTotal->setChecked(true);
    // As tall as the other boxes rather than the design's 180 twips, which
    // would cut the tick box in half at this font size.
    Check_RTotal = Place(new QCheckBox(QStringLiteral("解像度別"), client), "Check_RTotal",
                         TwipsRect(5520, 6240, 1215, 255));

    const QString resolutionTip = QStringLiteral("解像度を指定してください。");
    AresoText = Place(new QLineEdit(client), "AresoText", TwipsRect(6600, 6240, 495, 270));
    BresoText = Place(new QLineEdit(client), "BresoText", TwipsRect(7440, 6240, 495, 270));
    for (QLineEdit* box : {AresoText, BresoText}) {
        box->setMaxLength(4);
        box->setToolTip(resolutionTip);
        box->setEnabled(false);
        box->setVisible(false);
    }
    Label3 =
        Place(new QLabel(QStringLiteral("dpi"), client), "Label3", TwipsRect(7100, 6290, 255, 255));
    Label4 =
        Place(new QLabel(QStringLiteral("dpi"), client), "Label4", TwipsRect(7950, 6290, 255, 255));
    Label3->setVisible(false);
    Label4->setVisible(false);
}

void MainForm1::BuildMenus() {
    int separators = 0;
    auto separator = [&separators](QMenu* menu) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QStringLiteral("separator%1").arg(++separators));
    };
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* created = menuBar()->addMenu(caption);
        created->setObjectName(QString::fromLatin1(name));
        created->setFont(font());
        return created;
    };
    auto item = [](QMenu* owner, const char* name, const QString& caption,
                   const QKeySequence& shortcut = {}) {
        QAction* action = owner->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        return action;
    };

    menuBar()->setFont(font());
    QMenu* file = menu("IDMFile", QStringLiteral("ファイル (&F)"));
    IDMExit = item(file, "IDMExit", QStringLiteral("終了 (&X)"));

    QMenu* operation = menu("IDMOpe", QStringLiteral("操作 (&O)"));
    IDMSelect = item(operation, "IDMSelect", QStringLiteral("ファイル選択 (&O)..."),
                     QKeySequence(Qt::CTRL | Qt::Key_O));
    separator(operation);
    IDMView = item(operation, "IDMView", QStringLiteral("結果表示 (&V)"),
                   QKeySequence(Qt::CTRL | Qt::Key_V));
    IDMSave = item(operation, "IDMSave", QStringLiteral("結果をファイルへ (&S)..."),
                   QKeySequence(Qt::CTRL | Qt::Key_S));
    separator(operation);
    IDMD_Save = item(operation, "IDMD_Save", QStringLiteral("直接ファイルへ (&D)..."),
                     QKeySequence(Qt::CTRL | Qt::Key_D));
    separator(operation);
    IDMClear = item(operation, "IDMClear", QStringLiteral("クリア (&C)"));

    QMenu* columns = menu("IDMCheck", QStringLiteral("項目選択 (&C)"));
    for (int i = 0; i < kColumnBoxCount; ++i) {
        const QByteArray name = "IDMCH" + QByteArray::number(i);
        QAction* action = item(columns, name.constData(),
                               Text(kColumnBoxes[static_cast<std::size_t>(i)].menuCaption));
        action->setCheckable(true);
        action->setChecked(true);
        IDMCH[static_cast<std::size_t>(i)] = action;
        // Separators after "ページ数", "ﾐﾘｻｲｽﾞ", "色数", and two after "向き".
        if (i == 2 || i == 5 || i == 7) separator(columns);
        if (i == 9) {
            separator(columns);
            separator(columns);
        }
    }
    IDMCHTO = item(columns, "IDMCHTO", QStringLiteral("総合計 (&a)"));
    IDMCHCT = item(columns, "IDMCHCT", QStringLiteral("ｻｲｽﾞ別合計 (&b)"));
    for (QAction* action : {IDMCHTO, IDMCHCT}) {
        action->setCheckable(true);
        action->setChecked(true);
    }

    QMenu* about = menu("IDMAbout", QStringLiteral("About (&A)"));
    IDMHelp = item(about, "IDMHelp", QStringLiteral("Help (&H)..."), QKeySequence(Qt::Key_F1));
    IDMVer = item(about, "IDMVer", QStringLiteral("Version (&V)..."));

    // The lists' context menu: never in the menu bar.
    IDLPM = new QMenu(QStringLiteral("List"), this);
    IDLPM->setObjectName(QStringLiteral("IDLPM"));
    IDLPM->setFont(font());
    IDLPMCopy = item(IDLPM, "IDLPMCopy", QStringLiteral("コピー (&C)"));
    IDLPMDel = item(IDLPM, "IDLPMDel", QStringLiteral("削除 (&D)"));
    IDLPMCopy->setEnabled(false);
    IDLPMDel->setEnabled(false);
}

void MainForm1::BuildTabOrder() {
    // By the design's tab indexes; labels take no focus.
    std::vector<QWidget*> order{SelctFile, Start, FileSave, Direct_Save, Clear, Close};
    for (QCheckBox* box : Check) order.push_back(box);
    order.insert(order.end(), {Check_Total, Check_CTotal, Result, List1, ResultList, Check_RTotal,
                               AresoText, BresoText});
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void MainForm1::ConnectHandlers() {
    connect(Start, &QPushButton::clicked, this, &MainForm1::Start_Click);
    connect(FileSave, &QPushButton::clicked, this, &MainForm1::FileSave_Click);
    connect(Direct_Save, &QPushButton::clicked, this, &MainForm1::Direct_Save_Click);
    connect(Clear, &QPushButton::clicked, this, &MainForm1::Clear_Click);
    connect(Close, &QPushButton::clicked, this, &MainForm1::Close_Click);
    connect(SelctFile, &QPushButton::clicked, this, &MainForm1::SelctFile_Click);

    // The menu forwarders: each only calls its button's handler.
    connect(IDMExit, &QAction::triggered, this, &MainForm1::Close_Click);
    connect(IDMSelect, &QAction::triggered, this, &MainForm1::SelctFile_Click);
    connect(IDMView, &QAction::triggered, this, &MainForm1::Start_Click);
    connect(IDMSave, &QAction::triggered, this, &MainForm1::FileSave_Click);
    connect(IDMD_Save, &QAction::triggered, this, &MainForm1::Direct_Save_Click);
    connect(IDMClear, &QAction::triggered, this, &MainForm1::Clear_Click);

    // toggled fires once for every change of a box, whether the user or the
    // program made it, and never for setting the value it already has: the
    // rule the selection handlers rely on.
    for (int i = 0; i < kColumnBoxCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        connect(Check[index], &QCheckBox::toggled, this, [this, i] { Check_Click(i); });
        connect(IDMCH[index], &QAction::triggered, this, [this, i] { IDMCH_Click(i); });
    }
    connect(Check_Total, &QCheckBox::toggled, this, &MainForm1::Check_Total_Click);
    connect(Check_CTotal, &QCheckBox::toggled, this, &MainForm1::Check_CTotal_Click);
    connect(Check_RTotal, &QCheckBox::toggled, this, &MainForm1::Check_RTotal_Click);
    connect(IDMCHTO, &QAction::triggered, this, &MainForm1::IDMCHTO_Click);
    connect(IDMCHCT, &QAction::triggered, this, &MainForm1::IDMCHCT_Click);

    connect(IDMHelp, &QAction::triggered, this, &MainForm1::IDMHelp_Click);
    connect(IDMVer, &QAction::triggered, this, &MainForm1::IDMVer_Click);
    connect(IDLPMCopy, &QAction::triggered, this, &MainForm1::IDLPMCopy_Click);
    connect(IDLPMDel, &QAction::triggered, this, &MainForm1::IDLPMDel_Click);

    connect(List1, &ListBoxWidget::dropped, this,
            [this](const QMimeData* data) { List1_OLEDragDrop(*data); });
    connect(List1, &ListBoxWidget::mouseDown, this, &MainForm1::List1_MouseDown);
    connect(ResultList, &ListBoxWidget::mouseDown, this, &MainForm1::ResultList_MouseDown);
}

void MainForm1::Form_Initialize() {
    state_.FilesAdded = 0;
    state_.ResultState = 0;
    modelessDialog_ = new ModelessDialog(this);
    okDialog1_ = new OkDialog(OkDialog::Kind::WithPicture, this);
    okDialog2_ = new OkDialog(OkDialog::Kind::Plain, this);
    closeDialog_ = new CloseDialog(this);
    IDMView->setEnabled(false);
    IDMSave->setEnabled(false);
    IDMD_Save->setEnabled(false);
    state_.NotTiffText = text::kNotTiffHeading;
}

}  // namespace folvane::gui
