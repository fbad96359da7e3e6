#include "ui/kx7300_dlg.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTimeEdit>
#include <QToolButton>
#include <QToolTip>
#include <QUndoStack>
#include <cmath>

#include "render/fonts.h"
#include "res/ids.h"
#include "ui/about.h"
#include "ui/background_task.h"
#include "ui/bo_xing_xx.h"
#include "ui/file_notice.h"
#include "ui/gong_cheng_xx.h"
#include "ui/image_tool_bar.h"
#include "ui/main_layout.h"
#include "ui/my_list_ctrl.h"
#include "ui/my_tool_bar.h"
#include "ui/page4.h"
#include "ui/pile_undo.h"
#include "ui/print_commands.h"
#include "ui/project_controller.h"
#include "ui/recent_projects.h"
#include "ui/record_date_time.h"
#include "ui/resource_images.h"
#include "ui/she_bei_xingxi.h"
#include "ui/word_commands.h"
#include "ui/zhong_ti_xx.h"
#include "waveform/float32.h"
#include "waveform/pile_markers.h"
#include "waveform/qt/all_bo_xin.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/my_pin_pu.h"
#include "waveform/qt/yuan_shi_bo_xin.h"
#include "waveform/qt/zu_kang_qu_xian.h"
#include "widgets/tab_control.h"

namespace kx::ui {

namespace {

QString DateTimeFailureText(DateTimeParse result) {
    return result == DateTimeParse::ConversionFailed ? "记录的测试日期或时间无法转换为本地时间！"
                                                     : "记录的测试日期或时间无效！";
}

}  // namespace

CKX7300Dlg::CKX7300Dlg(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QString::number(id::kMainDialog));
    // The defect position goes through the stacked view's pixels, so its width matters.
    m_defectDepth = [this](const PileRecord& rec) {
        return m_stackedView != nullptr ? m_stackedView->DefectDepthOf(rec) : DefectDepth(rec, 0);
    };
    m_prompt = ShowMessageBox;
    OnInitDialog();
    m_project = std::make_unique<CProjectController>(this);
    // Printing and the Word report work on the window's project, asking what they ask through
    // the same prompts as the file commands.
    Workspace& workspace = m_project->GetWorkspace();
    m_printCommands = new CPrintCommands(this, m_printSettings, workspace, m_project->Prompts(),
                                         m_project->Task());
    m_wordCommands = new CWordCommands(this, m_printSettings, workspace, m_project->Prompts(),
                                       m_project->Task());
    m_recent = new CRecentProjects(*this);
    m_undo = new CPileUndo(
        this, [this] { return CaptureEdit(); },
        [this](const PileEditState& state) { ApplyEdit(state); });
    for (auto [commandId, can] : {std::pair{id::kCmdUndo, &QUndoStack::canUndoChanged},
                                  std::pair{id::kCmdRedo, &QUndoStack::canRedoChanged}}) {
        Command(commandId)->setEnabled(false);
        connect(&m_undo->Stack(), can, Command(commandId), &QAction::setEnabled);
    }
    RecordFinishedPageEdits();
    BuildStatusBar();
    qApp->installEventFilter(this);
}

CKX7300Dlg::~CKX7300Dlg() {
    qApp->removeEventFilter(this);
    // The children about to go may still finish an edit as they lose focus: by then this
    // window is half taken down, so nothing of theirs reaches it any more.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    delete m_undo;
    m_undo = nullptr;
    m_project.reset();  // stops the loader while the views it fills still exist
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
    m_actions = std::make_unique<CommandActions>(*m_commands, this);
    BuildMenuBar();
    BuildToolBars();
    SetFileCommandsEnabled(false);
    BuildFileList();
    BuildInfoTab();
    BuildViewTab();
    ConnectViews();
    ConnectAnalysisAids();
    BuildSiteSummary();

    m_layoutReady = true;
    LayoutChildren();
    m_fileList->setFocus();
    return true;
}

void CKX7300Dlg::AddMenuCommands(QMenu* menu, std::initializer_list<int> commandIds) {
    for (int commandId : commandIds) {
        if (commandId == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = Command(commandId);
        // An action belongs to the first menu that shows it, as a menu's own items do.
        if (action->parent() == this) {
            action->setParent(menu);
        }
        menu->addAction(action);
    }
}

void CKX7300Dlg::BuildMenuBar() {
    using namespace id;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QString::number(kMainMenu));

    QMenu* file = bar->addMenu("文件(F)");
    AddMenuCommands(file, {kCmdImportRawData, kCmdOpenProject, kCmdSave, kCmdSaveAs, 0,
                           kCmdWordReport, 0, kCmdAddToPrintList, kCmdPrintSettings,
                           kCmdPrintPreview, kCmdExportPdf, 0, kCmdUnifySiteUnit, 0});
    // Filled by whoever keeps the list (CRecentProjects); greyed while it is empty.
    QMenu* recent = file->addMenu("最近打开的工程");
    recent->setObjectName(QString::number(kRecentProjectsMenu));
    for (int k = 0; k < kRecentProjectCount; ++k) {
        AddMenuCommands(recent, {kCmdRecentProject1 + k});
        Command(kCmdRecentProject1 + k)->setVisible(false);
    }
    recent->menuAction()->setEnabled(false);
    AddMenuCommands(file, {0, kCmdExit});

    QMenu* edit = bar->addMenu("编辑(E)");
    AddMenuCommands(edit,
                    {kCmdDeleteBlow, kCmdUndoDeleteBlow, 0, kCmdPileTop, kCmdDefect, kCmdPileBottom,
                     kCmdFindPileToe, 0, kCmdLengthFixed, kCmdSpeedFixed, 0, kCmdUndo, kCmdRedo});
    auto* fixMode = new QActionGroup(this);
    fixMode->addAction(Command(kCmdLengthFixed));
    fixMode->addAction(Command(kCmdSpeedFixed));
    Command(kCmdLengthFixed)->setChecked(true);

    QMenu* tools = bar->addMenu("工具(T)");
    AddMenuCommands(tools, {kCmdLowPass, kCmdZoomIn, kCmdZoomOut, kCmdZero, kCmdRestore, kCmdSmooth,
                            kCmdCutFront, kCmdCutBack, kCmdReverse, kCmdIntegrate, kCmdRestack, 0,
                            kCmdAmplify, 0, kCmdSiteSpeed});

    // Options of the views, remembered between runs.
    AddMenuCommands(bar->addMenu("视图(V)"), {kCmdDepthScale, kCmdSpectrumAxis, kCmdStackedAxes});
    AddMenuCommands(bar->addMenu("帮助"), {kCmdUserGuide, kCmdAbout});

    // The file list's right-click menu (156).
    m_fileListMenu = new QMenu(this);
    m_fileListMenu->setObjectName(QString::number(kFileListMenu));
    AddMenuCommands(m_fileListMenu, {kCmdListAddToPrintList, kCmdListRemoveFromPrintList,
                                     kCmdListAddDataFiles, kCmdListRemoveFromDataList});
}

void CKX7300Dlg::BuildToolBars() {
    const ActionForId actionFor = [this](int commandId) { return Command(commandId); };
    m_mainToolBar = new CImageToolBar(m_client);
    m_mainToolBar->LoadToolBar(actionFor);  // every button has its command: it cannot fail
    m_toolsToolBar = new CMytoolBar(m_client);
    m_toolsToolBar->LoadToolBar(actionFor);
    m_toolsToolBar->SetSizes(QSize(100, 25), QSize(1, 1));

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
    // The bars keep their place; a window narrower than a bar shows what does not fit behind
    // the bar's » button instead of cutting it off.
    for (QToolBar* bar :
         {static_cast<QToolBar*>(m_mainToolBar), static_cast<QToolBar*>(m_toolsToolBar)}) {
        bar->resize(std::max(m_client->width(), 1), bar->height());
    }
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
    return m_actions->Action(commandId);
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
    const PageBoxes b = PageBoxesOf(*rec, m_defectDepth(*rec));
    const auto show = [](InfoPage* page, int boxId, const std::string& text) {
        page->Edit(boxId)->setText(QString::fromStdString(text));
    };
    show(m_projectPage, id::kTesterEdit, b.tester);
    show(m_projectPage, id::kTestingUnitEdit, b.testingUnit);
    show(m_projectPage, id::kSiteEdit, b.site);
    show(m_projectPage, id::kPileNumberEdit, b.pileNumber);

    // A date or time that cannot be read ends the copy here: the names above are new, the
    // rest of the pages still show the previous record.
    TestDateFields dateFields;
    QDate date;
    DateTimeParse parsed = ParseTestDate(b.testDate, dateFields, date);
    if (parsed != DateTimeParse::Ok) {
        ShowMessage(DateTimeFailureText(parsed));
        return false;
    }
    m_projectPage->Control<QDateEdit>(id::kTestDatePicker)->setDate(date);
    QDateTime time;
    parsed = ParseTestTime(b.testTime, dateFields, time);
    if (parsed != DateTimeParse::Ok) {
        ShowMessage(DateTimeFailureText(parsed));
        return false;
    }
    m_projectPage->Control<QTimeEdit>(id::kTestTimePicker)->setDateTime(time);

    show(m_parameterPage, id::kPileLengthEdit, b.pileLength);
    show(m_parameterPage, id::kWaveSpeedEdit, b.waveSpeed);
    show(m_parameterPage, id::kDefectPositionEdit, b.defectPosition);
    show(m_parameterPage, id::kSampleCountEdit, b.sampleCount);
    show(m_parameterPage, id::kSampleIntervalEdit, b.sampleInterval);

    show(m_waveformPage, id::kCursorTimeEdit, b.cursorTime);
    show(m_waveformPage, id::kCursorVoltageEdit, b.cursorVoltage);
    show(m_waveformPage, id::kCursorPositionEdit, b.cursorPosition);
    show(m_waveformPage, id::kLowPassEdit, b.lowPass);

    m_remarks->setPlainText(QString::fromStdString(b.remarks));

    auto* classes = m_conclusionPage->Control<QComboBox>(id::kClassCombo);
    const int classIndex =
        classes->findText(QString::fromStdString(b.integrityClass), Qt::MatchExactly);
    if (classIndex >= 0) {
        classes->setCurrentIndex(classIndex);  // an unknown class keeps the selection
    }
    show(m_conclusionPage, id::kConcreteStrengthEdit, b.concreteStrength);
    show(m_conclusionPage, id::kPileDiameterEdit, b.pileDiameter);

    show(m_devicePage, id::kInstrumentNumberEdit, b.instrumentNumber);
    show(m_devicePage, id::kLongitudeEdit, b.longitude);
    show(m_devicePage, id::kLatitudeEdit, b.latitude);
    return true;
}

void CKX7300Dlg::ShowEditedBoxes(const PageBoxes& b) {
    const auto show = [](InfoPage* page, int boxId, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (page->Edit(boxId)->text() != shown) {
            page->Edit(boxId)->setText(shown);
        }
    };
    show(m_projectPage, id::kTesterEdit, b.tester);
    show(m_projectPage, id::kTestingUnitEdit, b.testingUnit);
    show(m_projectPage, id::kSiteEdit, b.site);
    show(m_projectPage, id::kPileNumberEdit, b.pileNumber);
    TestDateFields dateFields;
    QDate date;
    if (ParseTestDate(b.testDate, dateFields, date) == DateTimeParse::Ok) {
        m_projectPage->Control<QDateEdit>(id::kTestDatePicker)->setDate(date);
        QDateTime time;
        if (ParseTestTime(b.testTime, dateFields, time) == DateTimeParse::Ok) {
            m_projectPage->Control<QTimeEdit>(id::kTestTimePicker)->setTime(time.time());
        }
    }
    show(m_parameterPage, id::kPileLengthEdit, b.pileLength);
    show(m_parameterPage, id::kWaveSpeedEdit, b.waveSpeed);
    show(m_parameterPage, id::kDefectPositionEdit, b.defectPosition);
    show(m_waveformPage, id::kLowPassEdit, b.lowPass);
    auto* classes = m_conclusionPage->Control<QComboBox>(id::kClassCombo);
    const int classIndex =
        classes->findText(QString::fromStdString(b.integrityClass), Qt::MatchExactly);
    if (classIndex >= 0) {
        classes->setCurrentIndex(classIndex);
    }
    show(m_conclusionPage, id::kConcreteStrengthEdit, b.concreteStrength);
    show(m_conclusionPage, id::kPileDiameterEdit, b.pileDiameter);
    show(m_devicePage, id::kInstrumentNumberEdit, b.instrumentNumber);
    if (m_remarks->toPlainText().toStdString() != b.remarks) {
        m_remarks->setPlainText(QString::fromStdString(b.remarks));
    }
}

void CKX7300Dlg::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    m_fileNotice = new CFileNotice(bar);
    bar->addWidget(m_fileNotice);
    m_unsavedLabel = new QLabel("当前桩有未保存的修改", bar);
    m_unsavedLabel->setObjectName("unsavedChanges");
    m_unsavedLabel->setStyleSheet("color: #b00000;");
    m_unsavedLabel->hide();
    bar->addPermanentWidget(m_unsavedLabel);
    m_projectLabel = new QLabel(bar);
    m_projectLabel->setObjectName("projectName");
    bar->addPermanentWidget(m_projectLabel);
    connect(&m_undo->Stack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { m_unsavedLabel->setVisible(!clean); });
    connect(m_project.get(), &CProjectController::projectOpened, this,
            &CKX7300Dlg::ShowProjectName);
    // While long work runs the menus, tool bars and pages rest (a report reads the records
    // as they stand); the window itself stays live, and the list shows what an import adds.
    connect(m_project->Task(), &CBackgroundTask::runningChanged, this, [this](bool running) {
        for (QWidget* w : std::initializer_list<QWidget*>{menuBar(), m_mainToolBar, m_toolsToolBar,
                                                          m_infoTab, m_viewTab}) {
            w->setEnabled(!running);
        }
    });
    // Word opens the document itself; the notice says where it is as well.
    m_wordCommands->SetOpener([this](const std::string& path) {
        const QString shown = QFile::decodeName(path.c_str());
        m_fileNotice->Show("已生成WORD报告：" + QDir::toNativeSeparators(shown), shown);
        return OpenWithDesktop(path);
    });
}

bool CKX7300Dlg::Busy() const {
    return m_project != nullptr && m_project->Task()->Running();
}

void CKX7300Dlg::ShowProjectName(const QString& dir) {
    m_projectLabel->setText(dir.isEmpty() ? QString() : "工程：" + QDir::toNativeSeparators(dir));
    m_projectLabel->setToolTip(m_projectLabel->text());
    m_fileNotice->Clear();
}

void CKX7300Dlg::RecordFinishedPageEdits() {
    for (InfoPage* page :
         {static_cast<InfoPage*>(m_projectPage), static_cast<InfoPage*>(m_parameterPage),
          static_cast<InfoPage*>(m_waveformPage), static_cast<InfoPage*>(m_conclusionPage),
          static_cast<InfoPage*>(m_devicePage)}) {
        for (QLineEdit* box : page->findChildren<QLineEdit*>()) {
            connect(box, &QLineEdit::editingFinished, this, &CKX7300Dlg::RecordEdit);
        }
        for (QDateTimeEdit* picker : page->findChildren<QDateTimeEdit*>()) {
            connect(picker, &QDateTimeEdit::editingFinished, this, &CKX7300Dlg::RecordEdit);
        }
        for (QComboBox* combo : page->findChildren<QComboBox*>()) {
            connect(combo, &QComboBox::activated, this, &CKX7300Dlg::RecordEdit);
        }
    }
    // The remarks box: when the focus leaves it (eventFilter).
}

PageBoxes CKX7300Dlg::ReadPageBoxes() const {
    const auto text = [](InfoPage* page, int boxId) {
        return page->Edit(boxId)->text().toStdString();
    };
    PageBoxes b;
    b.tester = text(m_projectPage, id::kTesterEdit);
    b.testingUnit = text(m_projectPage, id::kTestingUnitEdit);
    b.site = text(m_projectPage, id::kSiteEdit);
    b.pileNumber = text(m_projectPage, id::kPileNumberEdit);
    b.testDate = FormatTestDate(m_projectPage->Control<QDateEdit>(id::kTestDatePicker)->date());
    b.testTime = FormatTestTime(m_projectPage->Control<QTimeEdit>(id::kTestTimePicker)->time());
    b.integrityClass =
        m_conclusionPage->Control<QComboBox>(id::kClassCombo)->currentText().toStdString();
    b.concreteStrength = text(m_conclusionPage, id::kConcreteStrengthEdit);
    b.pileDiameter = text(m_conclusionPage, id::kPileDiameterEdit);
    b.pileLength = text(m_parameterPage, id::kPileLengthEdit);
    b.waveSpeed = text(m_parameterPage, id::kWaveSpeedEdit);
    b.defectPosition = text(m_parameterPage, id::kDefectPositionEdit);
    b.sampleCount = text(m_parameterPage, id::kSampleCountEdit);
    b.sampleInterval = text(m_parameterPage, id::kSampleIntervalEdit);
    b.cursorTime = text(m_waveformPage, id::kCursorTimeEdit);
    b.cursorVoltage = text(m_waveformPage, id::kCursorVoltageEdit);
    b.cursorPosition = text(m_waveformPage, id::kCursorPositionEdit);
    b.lowPass = text(m_waveformPage, id::kLowPassEdit);
    b.instrumentNumber = text(m_devicePage, id::kInstrumentNumberEdit);
    b.longitude = text(m_devicePage, id::kLongitudeEdit);
    b.latitude = text(m_devicePage, id::kLatitudeEdit);
    b.remarks = m_remarks->toPlainText().toStdString();
    return b;
}

Status CKX7300Dlg::CollectPagesIntoRecord() {
    PileRecord* rec = m_currentRecord;
    if (rec == nullptr) {
        return Status::Fail("no record selected");
    }
    const Status st = CollectPageBoxes(ReadPageBoxes(), *rec);
    if (!st) {
        ShowMessage(QString::fromStdString(st.reason));
    }
    return st;
}

void CKX7300Dlg::ForwardToolCommand(int viewCommand) {
    if (!HasFileSelected()) {
        ShowMessage("请先选择文件！");
        return;
    }
    ApplyViewCommand(viewCommand);
}

void CKX7300Dlg::UnifyConclusionInfo() {
    m_project->UnifyConclusion();
}

void CKX7300Dlg::ShowMessage(const QString& text) {
    Prompt(text, kTitle, PromptButtons::Ok);
}

PromptAnswer CKX7300Dlg::Prompt(const QString& text, const QString& caption,
                                PromptButtons buttons) {
    return m_prompt(this, text, caption, buttons);
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

void CKX7300Dlg::ShowViewTab(int index) {
    m_viewTab->Select(index);
    OnViewTabChanged(index);
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
    const QString text = m_actions->ToolTip(target->objectName().toInt());
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
    if (watched == m_remarks && event->type() == QEvent::FocusOut) {
        RecordEdit();
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
