#include "ui/kx7300_dlg.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimeEdit>
#include <QToolButton>
#include <QToolTip>
#include <cmath>

#include "res/ids.h"
#include "ui/about.h"
#include "ui/bo_xing_xx.h"
#include "ui/gbk_text.h"
#include "ui/gong_cheng_xx.h"
#include "ui/image_tool_bar.h"
#include "ui/img_folder.h"
#include "ui/main_layout.h"
#include "ui/my_list_ctrl.h"
#include "ui/my_tool_bar.h"
#include "ui/number_text.h"
#include "ui/page4.h"
#include "ui/project_controller.h"
#include "ui/record_date_time.h"
#include "ui/render/fonts.h"
#include "ui/resource_images.h"
#include "ui/she_bei_xingxi.h"
#include "ui/tab_control.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/float32.h"
#include "waveform/pile_markers.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/qt/zu_kang_qu_xian.h"

namespace kx::ui {

namespace {

// The main toolbar's tool tips; buttons without an entry show none.
QString MainToolTip(int commandId) {
    switch (commandId) {
        case id::kBtnOpen:
            return "打开";
        case id::kBtnSave:
            return "保存";
        case id::kBtnSaveAs:
            return "另存为";
        case id::kBtnAddToPrint:
            return "加入打印列表";
        case id::kBtnDeleteBlow:
            return "删除波型";
        case id::kBtnUndoDelete:
            return "撤销删除";
        case id::kBtnPileTop:
            return "桩顶";
        case id::kBtnDefect:
            return "缺陷";
        case id::kBtnPileBottom:
            return "桩底";
        default:
            return QString();
    }
}

// Windows edit boxes hold line breaks as CR LF; the Qt box holds LF.
QString RemarksForDisplay(const std::string& gbk) {
    return FromGbk(gbk).replace("\r\n", "\n");
}
QString RemarksForRecord(const QString& shown) {
    QString text = shown;
    return text.replace("\n", "\r\n");
}

QString DateTimeFailureText(DateTimeParse result) {
    return result == DateTimeParse::ConversionFailed ? "记录的测试日期或时间无法转换为本地时间！"
                                                     : "记录的测试日期或时间无效！";
}

}  // namespace

CKX7300Dlg::CKX7300Dlg(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QString::number(id::kMainDialog));
    // The defect position goes through the stacked view's pixels, so its width matters.
    m_defectDepth = [this](const PileRecord& rec) {
        return DefectDepth(rec, m_stackedView != nullptr ? m_stackedView->width() : 0);
    };
    m_prompt = ShowMessageBox;
    OnInitDialog();
    m_project = std::make_unique<CProjectController>(this);
    qApp->installEventFilter(this);
}

CKX7300Dlg::~CKX7300Dlg() {
    qApp->removeEventFilter(this);
    m_project.reset();  // stops the loader while the views it fills still exist
    EmptyFolderFiles(std::filesystem::path(QFile::encodeName(ImgFolder()).toStdString()));
}

QString CKX7300Dlg::ImgFolder() {
    return QCoreApplication::applicationDirPath() + "/img";
}

bool CKX7300Dlg::OnInitDialog() {
    setFont(DialogFont());
    // There is no system menu to extend here; the About box is reached through 帮助 > 关于.
    setWindowIcon(MainIcon());
    setWindowTitle(kTitle);
    setMinimumSize(800, 600);
    setWindowState(windowState() | Qt::WindowMaximized);

    m_client = new QWidget(this);
    m_client->setObjectName("client");
    setCentralWidget(m_client);

    m_commands = std::make_unique<CommandTable>(*this);
    BuildMenuBar();
    BuildToolBars();
    SetFileCommandsEnabled(false);
    BuildFileList();
    BuildInfoTab();
    BuildViewTab();
    ConnectViews();
    ConnectAnalysisAids();

    m_layoutReady = true;
    LayoutChildren();
    m_fileList->setFocus();
    return true;
}

QAction* CKX7300Dlg::AddMenuCommand(QMenu* menu, int commandId, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::number(commandId));
    connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    return action;
}

void CKX7300Dlg::BuildMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QString::number(id::kMainMenu));

    QMenu* file = bar->addMenu("文件(F)");
    AddMenuCommand(file, id::kCmdImportRawData, "导入原始数据");
    AddMenuCommand(file, id::kCmdOpenProject, "打开工程");
    AddMenuCommand(file, id::kCmdSave, "保存");
    AddMenuCommand(file, id::kCmdSaveAs, "另存为");
    file->addSeparator();
    AddMenuCommand(file, id::kCmdWordReport, "输出到WORD");
    file->addSeparator();
    AddMenuCommand(file, id::kCmdAddToPrintList, "加入打印列表  &Q");
    AddMenuCommand(file, id::kCmdPrintSettings, "打印设置");
    AddMenuCommand(file, id::kCmdPrintPreview, "打印预览");
    AddMenuCommand(file, id::kCmdExportPdf, "输出PDF");
    file->addSeparator();
    AddMenuCommand(file, id::kCmdUnifySiteUnit, "统一工地和检测单位");
    file->addSeparator();
    // Filled by whoever keeps the list (CRecentProjects); greyed while it is empty.
    QMenu* recent = file->addMenu("最近打开的工程");
    recent->setObjectName(QString::number(id::kRecentProjectsMenu));
    for (int k = 0; k < id::kRecentProjectCount; ++k) {
        AddMenuCommand(recent, id::kCmdRecentProject1 + k, QString())->setVisible(false);
    }
    recent->menuAction()->setEnabled(false);
    file->addSeparator();
    AddMenuCommand(file, id::kCmdExit, "退出(X)");

    QMenu* edit = bar->addMenu("编辑(E)");
    AddMenuCommand(edit, id::kCmdDeleteBlow, "删除波型 &X");
    AddMenuCommand(edit, id::kCmdUndoDeleteBlow, "撤销删除波形 &B");
    edit->addSeparator();
    AddMenuCommand(edit, id::kCmdPileTop, "桩顶  &A");
    AddMenuCommand(edit, id::kCmdDefect, "缺陷  &S");
    AddMenuCommand(edit, id::kCmdPileBottom, "桩底  &D");
    AddMenuCommand(edit, id::kCmdFindPileToe, "自动识别桩底");
    edit->addSeparator();
    auto* fixMode = new QActionGroup(this);
    for (QAction* a : {AddMenuCommand(edit, id::kCmdLengthFixed, "桩长固定"),
                       AddMenuCommand(edit, id::kCmdSpeedFixed, "波速固定")}) {
        a->setCheckable(true);
        fixMode->addAction(a);
    }
    Command(id::kCmdLengthFixed)->setChecked(true);

    QMenu* tools = bar->addMenu("工具(T)");
    AddMenuCommand(tools, id::kCmdLowPass, "低通");
    AddMenuCommand(tools, id::kCmdZoomIn, "放大");
    AddMenuCommand(tools, id::kCmdZoomOut, "缩小");
    AddMenuCommand(tools, id::kCmdZero, "归零");
    AddMenuCommand(tools, id::kCmdRestore, "还原");
    AddMenuCommand(tools, id::kCmdSmooth, "平滑");
    AddMenuCommand(tools, id::kCmdCutFront, "前切");
    AddMenuCommand(tools, id::kCmdCutBack, "后切");
    AddMenuCommand(tools, id::kCmdReverse, "反向");
    AddMenuCommand(tools, id::kCmdIntegrate, "积分");
    AddMenuCommand(tools, id::kCmdRestack, "重新叠加");
    tools->addSeparator();
    AddMenuCommand(tools, id::kCmdAmplify, "指数放大");

    // Options of the views, remembered between runs.
    QMenu* view = bar->addMenu("视图(V)");
    AddMenuCommand(view, id::kCmdDepthScale, "深度标尺")->setCheckable(true);

    QMenu* help = bar->addMenu("帮助");
    AddMenuCommand(help, id::kCmdUserGuide, "使用说明");
    AddMenuCommand(help, id::kCmdAbout, "关于");

    // Menu bitmaps by position, separators counted.
    const QList<QAction*> fileItems = file->actions();
    const std::pair<int, int> fileBitmaps[] = {{1, id::kBitmapOpen},
                                               {2, id::kBitmapSave},
                                               {3, id::kBitmapSaveAs},
                                               {5, id::kBitmapPrint},
                                               {16, id::kBitmapExit}};
    for (auto [position, bitmap] : fileBitmaps) {
        fileItems[position]->setIcon(QIcon(ResourceBitmap(bitmap)));
    }
    const QList<QAction*> editItems = edit->actions();
    editItems[0]->setIcon(QIcon(ResourceBitmap(id::kBitmapDeleteBlow)));
    editItems[1]->setIcon(QIcon(ResourceBitmap(id::kBitmapUndoDelete)));

    // The file list's right-click menu (156).
    m_fileListMenu = new QMenu(this);
    m_fileListMenu->setObjectName(QString::number(id::kFileListMenu));
    AddMenuCommand(m_fileListMenu, id::kCmdListAddToPrintList, "加入打印列表(&Q)");
    AddMenuCommand(m_fileListMenu, id::kCmdListRemoveFromPrintList, "移出打印列表(&W)");
    AddMenuCommand(m_fileListMenu, id::kCmdListAddDataFiles, "新增数据文件");
    AddMenuCommand(m_fileListMenu, id::kCmdListRemoveFromDataList, "移出数据列表");
}

void CKX7300Dlg::BuildToolBars() {
    m_mainToolBar = new CImageToolBar(m_client);
    m_mainToolBar->LoadToolBar();  // built in code: it cannot fail
    m_toolsToolBar = new CMytoolBar(m_client);
    m_toolsToolBar->LoadToolBar();

    const QStringList toolTexts{"低通", "放大", "缩小", "归零", "还原",     "平滑",
                                "前切", "后切", "反向", "积分", "重新叠加", "指数放大"};
    for (int i = 0; i < toolTexts.size(); ++i) {
        m_toolsToolBar->SetButtonText(i, toolTexts[i]);
    }
    m_toolsToolBar->SetSizes(QSize(100, 25), QSize(1, 1));

    QList<QPixmap> images;
    for (int bitmap : {id::kBitmapOpen, id::kBitmapSave, id::kBitmapSaveAs, id::kBitmapPrint,
                       id::kBitmapDeleteBlow, id::kBitmapUndoDelete, id::kBitmapPileTop,
                       id::kBitmapDefect, id::kBitmapPileBottom, id::kBitmapOptimize}) {
        images.append(ResourceBitmap(bitmap));
    }
    const std::pair<int, const char*> mainTexts[] = {
        {0, "打开"},       {1, "保存"},    {2, "另存为"},   {4, "加入打印"}, {6, "删除波型 X"},
        {7, "撤销删除 B"}, {9, "桩顶(A)"}, {10, "缺陷(S)"}, {11, "桩底(D)"}, {13, "优化"}};
    for (auto [position, text] : mainTexts) {
        m_mainToolBar->SetButtonText(position, text);
    }
    m_mainToolBar->SetImageList(images);
    Command(id::kBtnOptimize)->setCheckable(true);

    for (QToolBar* bar :
         {static_cast<QToolBar*>(m_mainToolBar), static_cast<QToolBar*>(m_toolsToolBar)}) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            const int commandId = action->objectName().toInt();
            connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
        }
    }

    // Both bars are stacked along the top once, as wide as the maximised client area, and
    // keep that place when the window later changes size.
    int width = std::max(m_mainToolBar->sizeHint().width(), m_toolsToolBar->sizeHint().width());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        width = std::max(width, screen->availableGeometry().width());
    }
    const int mainHeight = m_mainToolBar->sizeHint().height();
    m_mainToolBar->setGeometry(0, 0, width, mainHeight);
    m_toolsToolBar->setGeometry(0, mainHeight, width, m_toolsToolBar->sizeHint().height());
}

void CKX7300Dlg::BuildFileList() {
    m_fileList = new CMylistCtrl(m_client);
    m_fileList->SetReportStyle();
    m_fileList->InsertColumn("名称", 50);
    m_fileList->InsertColumn("是否打印", 100);
    m_fileList->InsertColumn("类型", 80);
    m_fileList->setGeometry(10, kFileListTop, 195, 200);
    m_fileList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_fileList, &QWidget::customContextMenuRequested, this,
            &CKX7300Dlg::OnFileListContextMenu);
}

void CKX7300Dlg::BuildInfoTab() {
    m_infoTab = new TabControl(m_client);
    m_infoTab->setObjectName(QString::number(id::kInfoTab));
    for (const char* caption : {"工程信息", "结论信息", "参数信息", "波型信息", "设备信息"}) {
        m_infoTab->InsertItem(caption);
    }
    m_projectPage = new CGongChengXX(this, m_infoTab);
    m_parameterPage = new CZhongTiXX(this, m_infoTab);
    m_waveformPage = new CBoXingXX(this, m_infoTab);
    m_conclusionPage = new CPage4(this, m_infoTab);
    m_devicePage = new CSheBeiXingxi(this, m_infoTab);
    m_projectPage->show();
    for (QWidget* page :
         {static_cast<QWidget*>(m_parameterPage), static_cast<QWidget*>(m_waveformPage),
          static_cast<QWidget*>(m_conclusionPage), static_cast<QWidget*>(m_devicePage)}) {
        page->hide();
    }
    m_infoTab->Select(0);
    connect(m_infoTab, &TabControl::selectionChanged, this, &CKX7300Dlg::OnInfoTabChanged);

    m_remarksGroup = new QGroupBox("备注", m_client);
    m_remarksGroup->setObjectName(QString::number(id::kStatic));
    m_remarks = new QPlainTextEdit(m_client);
    m_remarks->setObjectName(QString::number(id::kRemarksEdit));
    m_remarks->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_remarks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CKX7300Dlg::BuildViewTab() {
    m_viewTab = new TabControl(m_client);
    m_viewTab->setObjectName(QString::number(id::kViewTab));
    for (const char* caption : {"原始波型", "叠加波型", "频谱分析", "所有波型", "阻抗曲线"}) {
        m_viewTab->InsertItem(caption);
    }
    m_rawView = new CYuanShiBoXin(m_viewTab);
    m_stackedView = new CMyDieJia(m_viewTab);
    m_spectrumView = new CMyPinPu(m_viewTab);
    m_allView = new CAllBoXin(m_viewTab);
    m_impedanceView = new CZuKangQuXian(m_viewTab);
    m_rawView->hide();
    m_spectrumView->hide();
    m_allView->hide();
    m_impedanceView->hide();
    m_stackedView->show();
    m_viewTab->Select(1);
    connect(m_viewTab, &TabControl::selectionChanged, this, &CKX7300Dlg::OnViewTabChanged);
}

void CKX7300Dlg::LayoutChildren() {
    const MainLayout m = ComputeMainLayout(m_client->size(), m_fileList->geometry().top());
    auto place = [](QWidget* w, const QRect& r) {
        w->setGeometry(r);
        w->raise();
    };
    place(m_projectPage, m.projectPage);
    for (QWidget* page :
         {static_cast<QWidget*>(m_parameterPage), static_cast<QWidget*>(m_waveformPage),
          static_cast<QWidget*>(m_conclusionPage), static_cast<QWidget*>(m_devicePage)}) {
        place(page, m.otherPages);
    }
    m_clientRect = m_client->rect();
    place(m_viewTab, m.viewTab);
    place(m_fileList, m.fileList);
    place(m_infoTab, m.infoTab);
    place(m_remarksGroup, m.remarksGroup);
    place(m_remarks, m.remarksEdit);
    for (QWidget* view : {static_cast<QWidget*>(m_rawView), static_cast<QWidget*>(m_stackedView),
                          static_cast<QWidget*>(m_spectrumView), static_cast<QWidget*>(m_allView),
                          static_cast<QWidget*>(m_impedanceView)}) {
        place(view, m.views);
    }
}

QAction* CKX7300Dlg::Command(int commandId) const {
    return findChild<QAction*>(QString::number(commandId));
}

void CKX7300Dlg::SetFileCommandsEnabled(bool enabled) {
    for (int commandId : m_commands->GreyedUntilLoaded()) {
        if (QAction* action = Command(commandId)) {
            action->setEnabled(enabled);
        }
    }
}

void CKX7300Dlg::SetDefectDepthFunction(std::function<float(const PileRecord&)> fn) {
    if (fn) {
        m_defectDepth = std::move(fn);
    }
}

bool CKX7300Dlg::ShowRecordOnPages() {
    const PileRecord* rec = m_currentRecord;
    if (rec == nullptr) {
        return false;
    }
    m_projectPage->Edit(id::kTesterEdit)->setText(FromGbk(rec->tester));
    m_projectPage->Edit(id::kTestingUnitEdit)->setText(FromGbk(rec->testingUnit));
    m_projectPage->Edit(id::kSiteEdit)->setText(FromGbk(rec->site));
    m_projectPage->Edit(id::kPileNumberEdit)->setText(FromGbk(rec->pileNumber));

    // A date or time that cannot be read ends the copy here: the names above are new, the
    // rest of the pages still show the previous record.
    TestDateFields dateFields;
    QDate date;
    DateTimeParse parsed = ParseTestDate(rec->testDate, dateFields, date);
    if (parsed != DateTimeParse::Ok) {
        ShowMessage(DateTimeFailureText(parsed));
        return false;
    }
    m_projectPage->Control<QDateEdit>(id::kTestDatePicker)->setDate(date);
    QDateTime time;
    parsed = ParseTestTime(rec->testTime, dateFields, time);
    if (parsed != DateTimeParse::Ok) {
        ShowMessage(DateTimeFailureText(parsed));
        return false;
    }
    m_projectPage->Control<QTimeEdit>(id::kTestTimePicker)->setDateTime(time);

    m_parameterPage->Edit(id::kPileLengthEdit)->setText(FormatFixed(rec->pileLength, 2));
    m_parameterPage->Edit(id::kWaveSpeedEdit)->setText(FormatFixed(rec->waveSpeed, 2));
    m_parameterPage->Edit(id::kDefectPositionEdit)
        ->setText(FormatFixed(F32(m_defectDepth(*rec)), 2));
    m_parameterPage->Edit(id::kSampleCountEdit)->setText(QString::number(rec->sampleCount));
    m_parameterPage->Edit(id::kSampleIntervalEdit)->setText(QString::number(rec->sampleIntervalUs));

    m_waveformPage->Edit(id::kCursorTimeEdit)->setText(FromGbk(rec->cursorTimeText));
    m_waveformPage->Edit(id::kCursorVoltageEdit)->setText(FormatFixed(rec->cursorVoltage, 2));
    m_waveformPage->Edit(id::kCursorPositionEdit)->setText(FormatFixed(rec->cursorPosition, 2));
    m_waveformPage->Edit(id::kLowPassEdit)->setText(QString::number(rec->lowPassHz));

    m_remarks->setPlainText(RemarksForDisplay(rec->remarks));

    auto* classes = m_conclusionPage->Control<QComboBox>(id::kClassCombo);
    const int classIndex = classes->findText(FromGbk(rec->integrityClass), Qt::MatchExactly);
    if (classIndex >= 0) {
        classes->setCurrentIndex(classIndex);  // an unknown class keeps the selection
    }
    m_conclusionPage->Edit(id::kConcreteStrengthEdit)->setText(FromGbk(rec->concreteStrength));
    m_conclusionPage->Edit(id::kPileDiameterEdit)->setText(FromGbk(rec->pileDiameter));

    m_devicePage->Edit(id::kInstrumentNumberEdit)->setText(FromGbk(rec->instrumentNumber));
    m_devicePage->Edit(id::kLongitudeEdit)->setText(FormatFixed(rec->longitude, 6));
    m_devicePage->Edit(id::kLatitudeEdit)->setText(FormatFixed(rec->latitude, 6));
    return true;
}

Status CKX7300Dlg::CollectPagesIntoRecord() {
    PileRecord* rec = m_currentRecord;
    if (rec == nullptr) {
        return Status::Fail("no record selected");
    }
    // Convert every text first, so that a character GBK cannot hold leaves the record as it
    // was instead of half collected.
    struct Text {
        QString shown;
        std::string* field;
        std::string gbk;
    };
    auto* classes = m_conclusionPage->Control<QComboBox>(id::kClassCombo);
    Text texts[] = {
        {m_projectPage->Edit(id::kTesterEdit)->text(), &rec->tester, {}},
        {m_projectPage->Edit(id::kTestingUnitEdit)->text(), &rec->testingUnit, {}},
        {m_projectPage->Edit(id::kSiteEdit)->text(), &rec->site, {}},
        {m_projectPage->Edit(id::kPileNumberEdit)->text(), &rec->pileNumber, {}},
        {classes->currentText(), &rec->integrityClass, {}},
        {m_conclusionPage->Edit(id::kConcreteStrengthEdit)->text(), &rec->concreteStrength, {}},
        {m_conclusionPage->Edit(id::kPileDiameterEdit)->text(), &rec->pileDiameter, {}},
        {RemarksForRecord(m_remarks->toPlainText()), &rec->remarks, {}},
        {m_devicePage->Edit(id::kInstrumentNumberEdit)->text(), &rec->instrumentNumber, {}},
    };
    for (Text& t : texts) {
        if (Status st = ToGbk(t.shown, t.gbk); !st) {
            ShowMessage(QString::fromStdString(st.reason));
            return st;
        }
    }
    for (Text& t : texts) {
        *t.field = std::move(t.gbk);
    }

    rec->testDate = FormatTestDate(m_projectPage->Control<QDateEdit>(id::kTestDatePicker)->date());
    rec->testTime = FormatTestTime(m_projectPage->Control<QTimeEdit>(id::kTestTimePicker)->time());

    // A number past float's range would become infinite; it reads as no number at all.
    auto boxFloat = [](const QLineEdit* box) {
        const float value = F32(ReadLeadingDouble(box->text()));
        return std::isfinite(value) ? value : 0.0f;
    };
    rec->pileLength = boxFloat(m_parameterPage->Edit(id::kPileLengthEdit));
    rec->waveSpeed = boxFloat(m_parameterPage->Edit(id::kWaveSpeedEdit));
    rec->lowPassHz = ReadLeadingInt(m_waveformPage->Edit(id::kLowPassEdit)->text());
    return Status::Ok();
}

void CKX7300Dlg::ForwardToolCommand(int viewCommand) {
    if (!HasFileSelected()) {
        ShowMessage("请先选择文件！");
        return;
    }
    ApplyViewCommand(viewCommand);
}

void CKX7300Dlg::UnifyConclusionInfo() {
    HandOn(id::kUnifyInfoButton);
}

void CKX7300Dlg::ShowMessage(const QString& text) {
    Prompt(text, kTitle, PromptButtons::Ok);
}

PromptAnswer CKX7300Dlg::Prompt(const QString& text, const QString& caption,
                                PromptButtons buttons) {
    return m_prompt(this, text, caption, buttons);
}

void CKX7300Dlg::OnCommand(int commandId) {
    if (!m_commands->Execute(commandId)) {
        HandOn(commandId);  // a command the table does not list
    }
}

void CKX7300Dlg::ClearOptimize() {
    m_optimizeOn = false;
    Command(id::kBtnOptimize)->setChecked(false);
}

bool CKX7300Dlg::WaveModified() const {
    return m_project->GetWorkspace().m_waveModified;
}

bool CKX7300Dlg::OptimizeTouched() const {
    return m_project->GetWorkspace().m_optimizeTouched;
}

void CKX7300Dlg::MarkWaveModified() {
    m_project->GetWorkspace().m_waveModified = true;
}

void CKX7300Dlg::OnInfoTabChanged(int index) {
    QWidget* byTab[] = {m_projectPage, m_conclusionPage, m_parameterPage, m_waveformPage,
                        m_devicePage};
    for (QWidget* page : byTab) {
        page->hide();
    }
    if (index >= 0 && index < int(std::size(byTab))) {
        byTab[index]->show();
    }
}

void CKX7300Dlg::OnViewTabChanged(int index) {
    QWidget* byTab[] = {m_rawView, m_stackedView, m_spectrumView, m_allView, m_impedanceView};
    for (QWidget* view : byTab) {
        view->hide();
    }
    m_stackedTabActive = false;
    if (index < 0 || index >= int(std::size(byTab))) {
        return;
    }
    m_stackedTabActive = index == 1;
    byTab[index]->show();
    byTab[index]->setFocus();
}

void CKX7300Dlg::OnFileListContextMenu(const QPoint&) {
    m_fileListMenu->popup(QCursor::pos());
}

bool CKX7300Dlg::IsInsidePage(const QWidget* w) const {
    for (const QWidget* page :
         {static_cast<const QWidget*>(m_projectPage), static_cast<const QWidget*>(m_parameterPage),
          static_cast<const QWidget*>(m_waveformPage),
          static_cast<const QWidget*>(m_conclusionPage),
          static_cast<const QWidget*>(m_devicePage)}) {
        if (page == w || page->isAncestorOf(w)) {
            return true;
        }
    }
    return false;
}

bool CKX7300Dlg::FilterKey(QWidget*, QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            return false;  // straight to the focused window
        case Qt::Key_Up:
        case Qt::Key_Down:
            m_fileList->setFocus();
            return false;
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;  // closes nothing, and no line break in the remarks box
        default:
            return false;
    }
}

bool CKX7300Dlg::AnswerToolTip(QWidget* target, QEvent* event) {
    const QString text = MainToolTip(target->objectName().toInt());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, target);
    }
    return true;
}

bool CKX7300Dlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        if (m_layoutReady) {
            LayoutChildren();
            m_client->update();
        }
        return false;
    }
    auto* w = qobject_cast<QWidget*>(watched);
    if (w == nullptr || w->window() != this) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        // Only the key's first receiver counts; a key a control passes up to its parents has
        // already been decided. Keys typed in a page are the page's own business.
        const QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (w != first || IsInsidePage(w)) {
            return false;
        }
        return FilterKey(w, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::ToolTip && qobject_cast<QToolButton*>(w) != nullptr &&
        (w->parentWidget() == m_mainToolBar || w->parentWidget() == m_toolsToolBar)) {
        return AnswerToolTip(w, event);
    }
    return false;
}

void CKX7300Dlg::closeEvent(QCloseEvent* event) {
    if (m_closeHandler && !m_closeHandler()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace kx::ui
