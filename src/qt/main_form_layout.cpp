// MainForm1's controls, menu tree, keyboard and start-up, and how the
// controls follow the window's size.
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

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>

#include "form/window_texts.h"
#include "qt/close_dialog.h"
#include "qt/list_box_widget.h"
#include "qt/main_form.h"
#include "qt/modeless_dialog.h"
#include "qt/ok_dialog.h"
#include "qt/program_icon.h"
#include "qt/qt_text.h"
#include "qt/select_dialog.h"
#include "qt/twips.h"
#include "qt/window_fonts.h"
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

MainForm1::MainForm1(QWidget* parent, form::MainFormServices services)
    : QMainWindow(parent), form_(*this, services) {
    setObjectName(QStringLiteral("MainForm1"));
    setWindowTitle(ToQt(form::window_text::kProductName));
    // Title bar and task bar; the secondary windows, owned by this one,
    // show it too.
    setWindowIcon(ProgramIcon());
    setFont(WindowFont());
    BuildControls();
    BuildMenus();
    BuildTabOrder();
    ConnectHandlers();
    // The auxiliary windows, loaded hidden with the window.
    modelessDialog_ = new ModelessDialog(this);
    connect(modelessDialog_, &ModelessDialog::cancelRequested, this,
            [this] { form_.ExamineCancel_Click(); });
    okDialog1_ = new OkDialog(OkDialog::Kind::WithPicture, this);
    okDialog2_ = new OkDialog(OkDialog::Kind::Plain, this);
    closeDialog_ = new CloseDialog(this);
    form_.Form_Initialize();
    FitToScreen();
}

MainForm1::~MainForm1() = default;

QSize MainForm1::designClientSize() { return TwipsSize(11910, 6630); }

void MainForm1::BuildControls() {
    // The client area never gets smaller than the design: on a screen too
    // small for it the window scrolls, so every control stays reachable.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ClientScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("Client"));
    client->setMinimumSize(designClientSize());
    scroll_->setWidget(client);
    setCentralWidget(scroll_);
    client_ = client;
    client_->installEventFilter(this);

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
    Line1 = line1;

    Label1 = Place(new QLabel(QStringLiteral("対　　象"), client), "Label1",
                   TwipsRect(240, 840, 1335, 255));
    Label2 = Place(new QLabel(QStringLiteral("結　　果"), client), "Label2",
                   TwipsRect(3240, 840, 1215, 255));

    List1 = Place(new ListBoxWidget(client), "List1", TwipsRect(240, 1080, 2775, 4560));
    List1->setToolTip(QStringLiteral(
        "右クリックで選択部分のコピー･削除が選べます。また このエリアのみDropに対応しています。"));
    List1->setAcceptsFileDrops(true);
    // A deep path shows its end, the file name; the whole path is its tip.
    List1->setElidesStart(true);

    ResultList = Place(new ListBoxWidget(client), "ResultList", TwipsRect(3240, 1080, 8415, 2400));
    ResultList->setToolTip(QStringLiteral("右クリックで選択部分のコピー･削除が選べます。"));
    ResultList->setFont(ResultListFont());

    Result = Place(new QPlainTextEdit(client), "Result", TwipsRect(3240, 3720, 8415, 1935));
    Result->setToolTip(QStringLiteral("右クリックで選択範囲のコピー･削除が選べます。"));
    Result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as in every other box; a typed tab
    // would also end up in the saved totals.
    Result->setTabChangesFocus(true);
    // The size summary's columns line up as in the result list: the same
    // stops, and a line is never wrapped.
    Result->setLineWrapMode(QPlainTextEdit::NoWrap);
    Result->setTabStopDistance(ListBoxWidget::TabStop(ResultList->font()));
    Result->installEventFilter(this);
    SetResultText(std::string(text::kResultInitial));

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
        box->installEventFilter(this);
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
    // Two separators in a row after "向き" are part of the menu's design.
    columns->setSeparatorsCollapsible(false);
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
    // Beyond the designed menu: PDF files as inputs, off at start.
    separator(columns);
    IDMPdf = item(columns, "IDMPdf", QStringLiteral("PDF も対象にする(&P)"));
    IDMPdf->setCheckable(true);

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
    // The boxes along the bottom edge, which keep their distance to it as
    // the window grows.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             Check[0], Check[1], Check[2], Check[3], Check[4], Check[5], Check[6], Check[7],
             Check[8], Check[9], Check_Total, Check_CTotal, Check_RTotal, AresoText, BresoText,
             Label3, Label4})
        design_[widget] = widget->geometry();
}

void MainForm1::ConnectHandlers() {
    using form::MainForm;
    auto onClick = [this](QPushButton* button, void (MainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (form_.*handler)(); });
    };
    auto onTrigger = [this](QAction* action, void (MainForm::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (form_.*handler)(); });
    };
    onClick(Start, &MainForm::Start_Click);
    onClick(FileSave, &MainForm::FileSave_Click);
    onClick(Direct_Save, &MainForm::Direct_Save_Click);
    onClick(Clear, &MainForm::Clear_Click);
    onClick(Close, &MainForm::Close_Click);
    onClick(SelctFile, &MainForm::SelctFile_Click);
    onTrigger(IDMExit, &MainForm::IDMExit_Click);
    onTrigger(IDMSelect, &MainForm::IDMSelect_Click);
    onTrigger(IDMView, &MainForm::IDMView_Click);
    onTrigger(IDMSave, &MainForm::IDMSave_Click);
    onTrigger(IDMD_Save, &MainForm::IDMD_Save_Click);
    onTrigger(IDMClear, &MainForm::IDMClear_Click);
    onTrigger(IDMCHTO, &MainForm::IDMCHTO_Click);
    onTrigger(IDMCHCT, &MainForm::IDMCHCT_Click);
    onTrigger(IDMPdf, &MainForm::IDMPdf_Click);
    onTrigger(IDMHelp, &MainForm::IDMHelp_Click);
    onTrigger(IDMVer, &MainForm::IDMVer_Click);
    onTrigger(IDLPMCopy, &MainForm::IDLPMCopy_Click);
    onTrigger(IDLPMDel, &MainForm::IDLPMDel_Click);

    // clicked: the user's changes only; the form's own settings of a box
    // are never reported back.
    auto value = [](bool checked) { return static_cast<CheckValue>(checked ? 1 : 0); };
    for (int i = 0; i < kColumnBoxCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        connect(Check[index], &QCheckBox::clicked, this,
                [this, i, value](bool checked) { form_.Check_Click(i, value(checked)); });
        connect(IDMCH[index], &QAction::triggered, this, [this, i] { form_.IDMCH_Click(i); });
    }
    connect(Check_Total, &QCheckBox::clicked, this,
            [this, value](bool checked) { form_.Check_Total_Click(value(checked)); });
    connect(Check_CTotal, &QCheckBox::clicked, this,
            [this, value](bool checked) { form_.Check_CTotal_Click(value(checked)); });
    connect(Check_RTotal, &QCheckBox::clicked, this,
            [this, value](bool checked) { form_.Check_RTotal_Click(value(checked)); });

    // While dropped paths are examined the window stays free; Escape, in
    // the window or in the progress window, stops the examination.
    examineTimer_ = new QTimer(this);
    examineTimer_->setInterval(static_cast<int>(form::kExamineTimerInterval.count()));
    connect(examineTimer_, &QTimer::timeout, this, [this] { form_.ExamineTimer_Tick(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { form_.ExamineCancel_Click(); });

    connect(List1, &ListBoxWidget::dropped, this, [this](const QMimeData* data) {
        const std::optional<QStringList> paths = DroppedPaths(*data);
        DropPaths(paths.value_or(QStringList{}));
    });
    connect(List1, &ListBoxWidget::mouseDown, this,
            [this](int button) { form_.List1_MouseDown(button); });
    connect(ResultList, &ListBoxWidget::mouseDown, this,
            [this](int button) { form_.ResultList_MouseDown(button); });
}

void MainForm1::DropPaths(const QStringList& paths) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& path : paths) texts.push_back(ToCore(path));
    form_.List1_OLEDragDrop(texts);
}

void MainForm1::StartExamineTimer() {
    if (!examineTimer_->isActive()) examineTimer_->start();
}

void MainForm1::StopExamineTimer() { examineTimer_->stop(); }

bool MainForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        PlaceControls();
    } else if (event->type() == QEvent::KeyPress) {
        // The menu's shortcuts act from every control, as menu accelerators
        // do: a text box that claims Ctrl+V for pasting (or Ctrl+D, Ctrl+S,
        // Ctrl+O, F1 for itself) gets the key press, which goes to the menu
        // item here instead.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* item : {IDMSelect, IDMView, IDMSave, IDMD_Save, IDMHelp}) {
            if (item->shortcut() == pressed) {
                if (item->isEnabled()) item->trigger();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm1::FitToScreen() {
    // The design's size, or the largest that fits the screen when the
    // design does not (a high display scale, a small screen): the client
    // area then scrolls.
    const QSize design = designClientSize() + QSize(0, menuBar()->sizeHint().height());
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    QSize size = design;
    if (shown != nullptr) {
        // The title bar and borders the window system adds around the window.
        const QSize decoration(8, 32);
        size = design.boundedTo(shown->availableGeometry().size() - decoration);
    }
    setMinimumSize(size);
    resize(size);
}

void MainForm1::PlaceControls() {
    if (client_ == nullptr || Result == nullptr) return;
    const QSize design = designClientSize();
    const int dx = std::max(0, client_->width() - design.width());
    const int dy = std::max(0, client_->height() - design.height());
    // The two lists share the extra width as they share the design's.
    const int listDx = dx * 2775 / (2775 + 8415);
    const int resultDx = dx - listDx;
    auto put = [](QWidget* widget, QRect rect) { widget->setGeometry(rect); };

    // The top row: the select button stays, "結果表示" follows the result
    // list's left edge, the two save buttons keep to the right edge.
    put(Start, TwipsRect(3240, 240, 2535, 495).translated(listDx, 0));
    put(FileSave, TwipsRect(6000, 240, 2535, 495).translated(dx, 0));
    put(Direct_Save, TwipsRect(8760, 240, 2895, 495).translated(dx, 0));
    put(Line1, TwipsRect(0, 0, 11880, 15).adjusted(0, 0, dx, 0));
    put(Label2, TwipsRect(3240, 840, 1215, 255).translated(listDx, 0));
    put(List1, TwipsRect(240, 1080, 2775, 4560).adjusted(0, 0, listDx, dy));

    // The result area: the lists take the extra height in the proportions
    // of the layout the total boxes chose.
    const int left = Twips(3240) + listDx;
    const int width = Twips(8415) + resultDx;
    const int top = Twips(1080);
    switch (layout_) {
        case form::ResultLayout::Summary: {
            const int listExtra = dy * 2400 / (2400 + 1935);
            put(ResultList, QRect(left, top, width, Twips(2400) + listExtra));
            put(Result,
                QRect(left, Twips(3720) + listExtra, width, Twips(1935) + (dy - listExtra)));
            break;
        }
        case form::ResultLayout::TotalOnly:
            put(ResultList, QRect(left, top, width, Twips(4020) + dy));
            put(Result, QRect(left, Twips(5280) + dy, width, Twips(375)));
            break;
        case form::ResultLayout::None:
            // The hidden box keeps its place for the next layout to move.
            put(ResultList, QRect(left, top, width, Twips(4560) + dy));
            break;
    }

    // The boxes at the bottom keep their distance to the bottom edge; the
    // two buttons at the bottom right to the right edge too.
    for (auto& [widget, rect] : design_) put(widget, rect.translated(0, dy));
    put(Clear, TwipsRect(8400, 6000, 1335, 375).translated(dx, dy));
    put(Close, TwipsRect(9960, 5880, 1695, 615).translated(dx, dy));
}

QCheckBox* MainForm1::CheckBox(form::MainCheck box) const {
    switch (box) {
        case form::MainCheck::Check_Total:
            return Check_Total;
        case form::MainCheck::Check_CTotal:
            return Check_CTotal;
        case form::MainCheck::Check_RTotal:
            return Check_RTotal;
        default:
            return Check[static_cast<std::size_t>(box)];
    }
}

QAction* MainForm1::MenuItem(form::MainMenuItem item) const {
    using form::MainMenuItem;
    switch (item) {
        case MainMenuItem::IDMCHTO:
            return IDMCHTO;
        case MainMenuItem::IDMCHCT:
            return IDMCHCT;
        case MainMenuItem::IDMExit:
            return IDMExit;
        case MainMenuItem::IDMSelect:
            return IDMSelect;
        case MainMenuItem::IDMView:
            return IDMView;
        case MainMenuItem::IDMSave:
            return IDMSave;
        case MainMenuItem::IDMD_Save:
            return IDMD_Save;
        case MainMenuItem::IDMClear:
            return IDMClear;
        case MainMenuItem::IDMHelp:
            return IDMHelp;
        case MainMenuItem::IDMVer:
            return IDMVer;
        case MainMenuItem::IDLPMCopy:
            return IDLPMCopy;
        case MainMenuItem::IDLPMDel:
            return IDLPMDel;
        case MainMenuItem::IDMPdf:
            return IDMPdf;
        default:
            return IDMCH[static_cast<std::size_t>(item)];
    }
}

ListBoxWidget* MainForm1::List(form::MainList list) const {
    return list == form::MainList::List1 ? List1 : ResultList;
}

}  // namespace folvane::gui
