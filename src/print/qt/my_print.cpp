#include "print/qt/my_print.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "print/qt/my_print_view1.h"
#include "print/qt/my_print_view2.h"
#include "print/qt/my_print_view3.h"
#include "record/reason_text.h"
#include "render/fonts.h"
#include "res/ids.h"
#include "waveform/box_text.h"
#include "widgets/dialog_units.h"
#include "widgets/gbk_text.h"
#include "widgets/tab_control.h"
#include "workspace/project_files.h"
#include "workspace/user_prompts.h"
#include "workspace/workspace.h"

namespace kx::ui {

namespace {

constexpr const char* kPrintInfoFilter = "数据文件(*.pr)|*.pr||";

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

CMyPrint::CMyPrint(Workspace& workspace, PrintSettings& settings, UserPrompts& prompts, Mode mode,
                   QWidget* parent, FigureRendererFactory figureRenderer)
    : QDialog(parent),
      m_workspace(workspace),
      m_settings(settings),
      m_prompts(prompts),
      m_mode(mode) {
    setObjectName(QString::number(id::kPrintDialog));
    setWindowTitle("打印列表");
    setFont(DialogFont());
    setFixedSize(DialogRect(0, 0, 427, 290).size());

    m_list = new QListWidget(this);
    m_list->setObjectName(QString::number(id::kPrintListBox));
    m_list->setGeometry(DialogRect(7, 7, 141, 247));
    m_list->setSortingEnabled(false);
    m_tab = new TabControl(this);
    m_tab->setObjectName(QString::number(id::kPrintTab));
    m_tab->setGeometry(DialogRect(159, 7, 261, 247));
    m_confirm = new QPushButton(this);
    m_confirm->setObjectName(QString::number(id::kPrintConfirmButton));
    m_confirm->setGeometry(DialogRect(127, 262, 171, 14));
    // Enter confirms, as a dialog's default button; the pages' buttons never take it.
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &CMyPrint::OnConfirm);
    connect(m_tab, &TabControl::selectionChanged, this, &CMyPrint::ShowPage);

    OnInitDialog(figureRenderer);
}

void CMyPrint::OnInitDialog(const FigureRendererFactory& figureRenderer) {
    // 1. The button's caption says what confirming does.
    m_confirm->setText(m_mode == Mode::Word ? "生成WORD" : "确定");
    // 2. The list box, position i being entry i.
    FillListBox();
    // 3. Tabs and pages; each page's own start-up runs as it is made.
    for (const char* caption : {"打印列表", "打印参数", "页面参数"}) {
        m_tab->InsertItem(caption);
    }
    m_page1 = new CMyPrintView1(m_tab);
    m_page2 = new CMyPrintView2(m_settings, m_tab);
    m_page3 = new CMyPrintView3([this](const std::string& text) { Tell(text); }, m_tab);
    connect(m_page1->RemoveButton(), &QPushButton::clicked, this, &CMyPrint::RemoveSelectedEntry);
    connect(m_page1->SaveInfoButton(), &QPushButton::clicked, this, &CMyPrint::SavePrintInfo);
    connect(m_page1->LoadInfoButton(), &QPushButton::clicked, this, &CMyPrint::LoadPrintInfo);
    connect(m_page3->Control<QPushButton>(id::kCoverInfoButton), &QPushButton::clicked, this,
            [this] { EditCover(); });
    // 4. The 打印参数 page is shown first.
    m_page1->hide();
    m_page3->hide();
    m_page2->show();
    m_tab->Select(1);
    // 5, 6.
    PlacePages();
    SettingsToControls();
    // 7. The figure renderer, owned by the dialog for as long as it is open.
    if (figureRenderer) {
        m_figureRenderer = figureRenderer(*this);
        if (m_figureRenderer != nullptr && m_figureRenderer->parent() != this) {
            m_figureRenderer->setParent(this, m_figureRenderer->windowFlags());
        }
    }
}

void CMyPrint::FillListBox() {
    m_list->clear();
    const PrintList& list = m_workspace.m_printList;
    for (size_t k = 0; k < list.size(); ++k) {
        // File names are the file system's bytes, not GBK.
        m_list->addItem(QFile::decodeName(QByteArray::fromStdString(list.DisplayedName(k))));
    }
}

void CMyPrint::ShowPage(int index) {
    m_page1->hide();
    m_page2->hide();
    m_page3->hide();
    (index == 0   ? static_cast<QWidget*>(m_page1)
     : index == 1 ? static_cast<QWidget*>(m_page2)
                  : static_cast<QWidget*>(m_page3))
        ->show();
}

// Every page on the same rectangle: 10 pixels in from the tab control's sides, 30 below its
// top and 10 above its bottom.
void CMyPrint::PlacePages() {
    const QRect r = m_tab->rect();
    const QRect page(r.left() + 10, r.top() + 30, r.width() - 20, r.height() - 40);
    for (QWidget* p : {static_cast<QWidget*>(m_page1), static_cast<QWidget*>(m_page2),
                       static_cast<QWidget*>(m_page3)}) {
        p->setGeometry(page);
    }
}

void CMyPrint::SettingsToControls() {
    m_page3->Edit(id::kPilesPerPageEdit)->setText(Text(m_settings.pilesPerPage));
    m_page3->Edit(id::kLeftMarginEdit)->setText(Text(m_settings.leftMarginMm));
    m_page3->Edit(id::kRightMarginEdit)->setText(Text(m_settings.rightMarginMm));
    const int footer = m_settings.pageNumberFooter ? 0 : 1;
    m_page2->FooterCombo()->setCurrentIndex(footer);
    m_page2->ShowNamesForSelection(footer);
    // Empty names show the current record's tester, which confirming then keeps.
    QString tester;
    if (const PileRecord* rec = m_workspace.CurrentRecord()) {
        tester = FromGbk(rec->tester);
    }
    m_page2->Edit(id::kWriterEdit)
        ->setText(m_settings.writer.empty() ? tester : Text(m_settings.writer));
    m_page2->Edit(id::kReporterEdit)
        ->setText(m_settings.reporter.empty() ? tester : Text(m_settings.reporter));
    m_page2->Edit(id::kStartPageEdit)->setText(QString::number(m_settings.startPage));
    m_page3->Check(id::kClassInBlockCheck)->setChecked(m_settings.classInBlock);
    m_page3->Check(id::kPageOfTotalCheck)->setChecked(m_settings.pageOfTotal);
    m_page3->Check(id::kWordPageNumbersCheck)->setChecked(m_settings.wordPageNumbers);
    m_page3->Check(id::kCoverPageCheck)->setChecked(m_settings.coverPage);
    // The cover as the project keeps it, else as last confirmed.
    m_cover = m_settings.cover;
    if (const std::string path = CoverPath(); !path.empty() && std::filesystem::exists(path)) {
        if (Status st = ReadReportHeaderFile(path, m_cover); !st) {
            Tell("无法读取封面信息：" + ReasonInChinese(st.reason));
        }
    }
}

std::string CMyPrint::CoverPath() const {
    const std::string& dir = m_workspace.ProjectDir();
    return dir.empty() ? std::string() : dir + "/" + kReportHeaderFileName;
}

void CMyPrint::EditCover(const CoverEditor& ask) {
    ReportHeader edited = m_cover;
    const bool accepted = ask ? ask(edited) : [&] {
        QDialog dialog(this);
        dialog.setWindowTitle("封面信息");
        auto* form = new QFormLayout(&dialog);
        std::vector<QLineEdit*> edits;
        for (const ReportHeaderField& f : kReportHeaderFields) {
            auto* edit = new QLineEdit(QString::fromStdString(edited.*f.value), &dialog);
            edit->setMinimumWidth(320);
            form->addRow(QString::fromUtf8(f.label), edit);
            edits.push_back(edit);
        }
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        form->addRow(buttons);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        for (size_t i = 0; i < edits.size(); ++i) {
            edited.*kReportHeaderFields[i].value = edits[i]->text().toStdString();
        }
        return true;
    }();
    if (!accepted) {
        return;
    }
    m_cover = edited;
    m_page3->Check(id::kCoverPageCheck)->setChecked(true);
    if (const std::string path = CoverPath(); !path.empty()) {
        if (Status st = WriteReportHeaderFile(path, m_cover); !st) {
            Tell("无法保存封面信息：" + ReasonInChinese(st.reason));
        }
    }
}

void CMyPrint::OnConfirm() {
    PrintSettings& s = m_settings;
    s.title = m_page2->Edit(id::kPrintTitleEdit)->text().toStdString();
    const std::pair<int, bool*> flags[] = {{id::kShowPileBottomCheck, &s.showPileBottom},
                                           {id::kShowPileTopCheck, &s.showPileTop},
                                           {id::kShowPileShapeCheck, &s.showPileShape},
                                           {id::kShowDefectCheck, &s.showDefect},
                                           {id::kShowSiteCheck, &s.showSite},
                                           {id::kShowPileNumberCheck, &s.showPileNumber},
                                           {id::kShowPileLengthCheck, &s.showPileLength},
                                           {id::kShowWaveSpeedCheck, &s.showWaveSpeed},
                                           {id::kShowRulerCheck, &s.showRuler},
                                           {id::kHalfWaveCheck, &s.halfWave}};
    for (auto [checkId, flag] : flags) {
        *flag = m_page2->Check(checkId)->isChecked();
    }
    s.pilesPerPage = m_page3->Edit(id::kPilesPerPageEdit)->text().toStdString();
    s.leftMarginMm = m_page3->Edit(id::kLeftMarginEdit)->text().toStdString();
    s.rightMarginMm = m_page3->Edit(id::kRightMarginEdit)->text().toStdString();
    s.pageNumberFooter = m_page2->FooterCombo()->currentIndex() == 0;
    s.writer = m_page2->Edit(id::kWriterEdit)->text().toStdString();
    s.reporter = m_page2->Edit(id::kReporterEdit)->text().toStdString();
    s.startPage = BoxInteger(m_page2->Edit(id::kStartPageEdit)->text().toStdString());
    s.classInBlock = m_page3->Check(id::kClassInBlockCheck)->isChecked();
    s.pageOfTotal = m_page3->Check(id::kPageOfTotalCheck)->isChecked();
    s.wordPageNumbers = m_page3->Check(id::kWordPageNumbersCheck)->isChecked();
    s.coverPage = m_page3->Check(id::kCoverPageCheck)->isChecked();
    s.cover = m_cover;
    m_confirmed = true;
    accept();
}

void CMyPrint::RemoveSelectedEntry() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        Tell("请选择文件");
        return;
    }
    m_workspace.RemovePrintListEntry(static_cast<size_t>(m_list->row(selected.first())));
    FillListBox();
}

PrintInfo CMyPrint::ControlsToPrintInfo() const {
    PrintInfo info;
    for (size_t i = 0; i < CMyPrintView2::kInfoChecks.size(); ++i) {
        info.checks[i] = m_page2->Check(CMyPrintView2::kInfoChecks[i])->isChecked() ? 1 : 0;
    }
    info.pilesPerPage = BoxInteger(m_page3->Edit(id::kPilesPerPageEdit)->text().toStdString());
    info.leftMarginMm = BoxInteger(m_page3->Edit(id::kLeftMarginEdit)->text().toStdString());
    info.rightMarginMm = BoxInteger(m_page3->Edit(id::kRightMarginEdit)->text().toStdString());
    return info;
}

void CMyPrint::PrintInfoToControls(const PrintInfo& info) {
    // Only 0 and 1 are ever written; any other word counts as checked.
    for (size_t i = 0; i < CMyPrintView2::kInfoChecks.size(); ++i) {
        m_page2->Check(CMyPrintView2::kInfoChecks[i])->setChecked(info.checks[i] != 0);
    }
    m_page3->Edit(id::kPilesPerPageEdit)->setText(QString::number(info.pilesPerPage));
    m_page3->Edit(id::kLeftMarginEdit)->setText(QString::number(info.leftMarginMm));
    m_page3->Edit(id::kRightMarginEdit)->setText(QString::number(info.rightMarginMm));
}

void CMyPrint::SavePrintInfo() {
    std::optional<std::string> path = m_prompts.AskSaveFile("123.pr", kPrintInfoFilter);
    if (!path || path->empty()) {
        return;
    }
    // A name typed without a suffix gets the print-info suffix.
    if (FileNameOf(*path).find('.') == std::string::npos) {
        *path += ".pr";
    }
    if (Status st = WritePrintInfoFile(*path, ControlsToPrintInfo()); !st) {
        Tell(st.reason);
    }
}

// Reading a print-info file empties the print list. That happens only once a file has been
// read: cancelling the file dialog or a file that cannot be used leaves list and controls.
void CMyPrint::LoadPrintInfo() {
    const std::optional<std::string> path = m_prompts.AskOpenFile(kPrintInfoFilter);
    if (!path || path->empty()) {
        return;
    }
    PrintInfo info;
    if (Status st = ReadPrintInfoFile(*path, info); !st) {
        Tell(st.reason);
        return;
    }
    m_workspace.ClearPrintList();
    FillListBox();
    PrintInfoToControls(info);
}

void CMyPrint::Tell(const std::string& text) {
    m_prompts.Tell(text);
}

}  // namespace kx::ui
