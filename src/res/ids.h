// Numeric ids of the program's windows, controls, commands and resources. Every control and
// every action also carries its id in decimal as objectName ("1013", "32771"), so code and
// tests can find it without holding a pointer.
#pragma once

namespace kx::id {

// ---- Dialog templates, menus, toolbars, bitmaps, icon, strings -------------------------
inline constexpr int kAboutBoxString = 101;  // "关于 KX7300(&A)..."
inline constexpr int kMainDialog = 102;
inline constexpr int kMainIcon = 128;
inline constexpr int kMainMenu = 129;
inline constexpr int kBitmapOpen = 130;
inline constexpr int kBitmapSave = 131;
inline constexpr int kBitmapSaveAs = 132;
inline constexpr int kBitmapPrint = 133;
inline constexpr int kBitmapExit = 134;
inline constexpr int kBitmapDeleteBlow = 135;
inline constexpr int kBitmapUndoDelete = 136;
inline constexpr int kMainToolBarResource = 141;
inline constexpr int kBitmapOptimize = 143;
inline constexpr int kBitmapDefect = 144;
inline constexpr int kBitmapPileBottom = 145;
inline constexpr int kBitmapPileTop = 146;
inline constexpr int kProjectPageDialog = 147;
inline constexpr int kParameterPageDialog = 148;
inline constexpr int kWaveformPageDialog = 149;
inline constexpr int kFileListMenu = 156;
inline constexpr int kConclusionPageDialog = 157;
inline constexpr int kWordDrawDialog = 159;
inline constexpr int kAboutDialog = 161;
inline constexpr int kAboutBitmap = 162;
inline constexpr int kSmoothDialog = 163;
inline constexpr int kDevicePageDialog = 165;
inline constexpr int kRawViewMenu = 167;
inline constexpr int kOverwriteDialog = 168;
inline constexpr int kSpectrumViewMenu = 169;
inline constexpr int kToolsToolBarResource = 170;

// ---- Standard dialog buttons and the static-text id ------------------------------------
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kStatic = -1;

// ---- System menu ------------------------------------------------------------------------
inline constexpr int kSysCommandAbout = 16;

// ---- Main window controls ---------------------------------------------------------------
inline constexpr int kFileList = 1003;
inline constexpr int kInfoTab = 1004;
inline constexpr int kRemarksEdit = 1005;
inline constexpr int kViewTab = 1011;
inline constexpr int kControlBarFirst = 59392;  // both toolbars carry this id
inline constexpr int kControlBarLast = 59647;

// The four views inside the views tab.
inline constexpr int kRawView = 10001;
inline constexpr int kStackedView = 10002;
inline constexpr int kSpectrumView = 10003;
inline constexpr int kAllView = 10004;
// The fifth view, 阻抗曲线: the impedance profile along the shaft.
inline constexpr int kImpedanceView = 10005;

// ---- Page controls ----------------------------------------------------------------------
// Project page (dialog 147).
inline constexpr int kTesterEdit = 1013;
inline constexpr int kTestingUnitEdit = 1014;
inline constexpr int kSiteEdit = 1015;
inline constexpr int kPileNumberEdit = 1016;
inline constexpr int kTestDatePicker = 1009;
inline constexpr int kTestTimePicker = 1011;  // same number as the views tab, other parent
// Parameter page (dialog 148).
inline constexpr int kPileLengthEdit = 1017;
inline constexpr int kWaveSpeedEdit = 1018;
inline constexpr int kDefectPositionEdit = 1019;
inline constexpr int kSampleCountEdit = 1020;
inline constexpr int kSampleIntervalEdit = 1021;
inline constexpr int kTriggerCombo = 1010;
// Waveform page (dialog 149).
inline constexpr int kCursorTimeEdit = 1022;
inline constexpr int kCursorVoltageEdit = 1006;
inline constexpr int kCursorPositionEdit = 1007;
inline constexpr int kLowPassEdit = 1008;
// Conclusion page (dialog 157).
inline constexpr int kClassCombo = 1033;
inline constexpr int kConcreteStrengthEdit = 1054;
inline constexpr int kPileDiameterEdit = 1055;
inline constexpr int kUnifyInfoButton = 1045;
// Device page (dialog 165).
inline constexpr int kInstrumentNumberEdit = 1064;
inline constexpr int kLongitudeEdit = 1065;
inline constexpr int kLatitudeEdit = 1066;
// Smoothing dialog (dialog 163).
inline constexpr int kSmoothPointsEdit = 1057;
// About box (dialog 161).
inline constexpr int kAboutPicture = 1062;
// Overwrite question CIsFugai (dialog 168).
inline constexpr int kOverwriteYes = 1068;
inline constexpr int kOverwriteNo = 1050;
inline constexpr int kOverwriteAll = 1051;
inline constexpr int kOverwriteNone = 1052;

// ---- Print dialog (152) and its three pages (153-155) -----------------------------------
inline constexpr int kPrintDialog = 152;
inline constexpr int kPrintListPageDialog = 153;
inline constexpr int kPrintParamsPageDialog = 154;
inline constexpr int kPageParamsPageDialog = 155;
inline constexpr int kPrintListBox = 1023;
inline constexpr int kPrintTab = 1004;
inline constexpr int kPrintConfirmButton = 1045;
// List page (153).
inline constexpr int kPrintRemoveButton = 1047;
inline constexpr int kPrintSaveInfoButton = 1048;
inline constexpr int kPrintLoadInfoButton = 1049;
// Print parameters page (154).
inline constexpr int kPrintTitleEdit = 1024;
inline constexpr int kShowPileBottomCheck = 1025;
inline constexpr int kShowPileTopCheck = 1026;
inline constexpr int kShowPileShapeCheck = 1027;
inline constexpr int kShowDefectCheck = 1028;
inline constexpr int kShowSiteCheck = 1029;
inline constexpr int kShowPileNumberCheck = 1030;
inline constexpr int kShowPileLengthCheck = 1031;
inline constexpr int kShowWaveSpeedCheck = 1032;
inline constexpr int kShowRulerCheck = 1063;
inline constexpr int kHalfWaveCheck = 1064;
inline constexpr int kFooterCombo = 1033;
inline constexpr int kStartPageEdit = 1057;
inline constexpr int kStartPageSpin = 1045;
inline constexpr int kWriterEdit = 1058;
inline constexpr int kReporterEdit = 1059;
inline constexpr int kWriterLabel = 1060;
inline constexpr int kReporterLabel = 1061;
// Page parameters page (155).
inline constexpr int kPilesPerPageEdit = 1051;
inline constexpr int kPilesPerPageSpin = 1046;
inline constexpr int kLeftMarginEdit = 1049;
inline constexpr int kLeftMarginSpin = 1044;
inline constexpr int kRightMarginEdit = 1050;
inline constexpr int kRightMarginSpin = 1045;

// ---- Print preview (toolbar template 30723) ------------------------------------------------
inline constexpr int kPreviewToolBar = 30723;
inline constexpr int kPreviewClose = 58112;
inline constexpr int kPreviewNumPages = 58113;
inline constexpr int kPreviewNext = 58114;
inline constexpr int kPreviewPrev = 58115;
inline constexpr int kPreviewPrint = 58116;
inline constexpr int kPreviewZoomIn = 58117;
inline constexpr int kPreviewZoomOut = 58118;
inline constexpr int kFilePrint = 57607;  // the printing view's print command

// ---- Menu commands (menu 129) ----------------------------------------------------------
inline constexpr int kCmdOpenProject = 32771;
inline constexpr int kCmdSave = 32772;
inline constexpr int kCmdSaveAs = 32773;
inline constexpr int kCmdPrintSettings = 32775;
inline constexpr int kCmdUnifySiteUnit = 32776;
inline constexpr int kCmdExit = 32777;
inline constexpr int kCmdDeleteBlow = 32778;
inline constexpr int kCmdUndoDeleteBlow = 32779;
inline constexpr int kCmdPileTop = 32780;
inline constexpr int kCmdDefect = 32781;
inline constexpr int kCmdPileBottom = 32782;
inline constexpr int kCmdLengthFixed = 32785;
inline constexpr int kCmdSpeedFixed = 32786;
inline constexpr int kCmdLowPass = 32787;
inline constexpr int kCmdZoomIn = 32788;
inline constexpr int kCmdZero = 32789;
inline constexpr int kCmdRestore = 32790;
inline constexpr int kCmdSmooth = 32791;
inline constexpr int kCmdCutFront = 32792;
inline constexpr int kCmdCutBack = 32793;
inline constexpr int kCmdReverse = 32794;
inline constexpr int kCmdIntegrate = 32795;
inline constexpr int kCmdAbout = 32799;
inline constexpr int kCmdAddToPrintList = 32800;
inline constexpr int kCmdWordReport = 32845;
inline constexpr int kCmdPrintPreview = 32849;
inline constexpr int kCmdImportRawData = 32852;
inline constexpr int kCmdRestack = 32868;
inline constexpr int kCmdZoomOut = 32883;
// 输出PDF: the report pages into a PDF file (next to 打印预览).
inline constexpr int kCmdExportPdf = 32900;
// The analysis aids: 指数放大 (工具 menu, tools toolbar), 自动识别桩底 (编辑 menu), the view
// option 深度标尺 (视图 menu), and the gain dialog of 指数放大 with its box.
inline constexpr int kCmdAmplify = 32920;
inline constexpr int kCmdFindPileToe = 32921;
inline constexpr int kCmdDepthScale = 32922;
inline constexpr int kBtnAmplify = 32923;
inline constexpr int kAmplifyDialog = 32924;
inline constexpr int kAmplifyGainSpin = 32925;
// 帮助 > 使用说明: the user guide in the desktop's viewer.
inline constexpr int kCmdUserGuide = 32930;
// 文件 > 最近打开的工程 (submenu 32936): its five entries, most recent first.
inline constexpr int kCmdRecentProject1 = 32931;
inline constexpr int kRecentProjectCount = 5;
inline constexpr int kRecentProjectsMenu = 32936;
// 编辑 > 撤销, 重做: the edits of the current pile, step by step.
inline constexpr int kCmdUndo = 32940;
inline constexpr int kCmdRedo = 32941;
// 视图 > 频率坐标, 时间深度坐标: axes on the spectrum and stacked views.
inline constexpr int kCmdSpectrumAxis = 32942;
inline constexpr int kCmdStackedAxes = 32943;
// 工具 > 平均波速 (the site's wave speed) and 视图 > 工程汇总 (the summary dock); on 结论信息 the
// proposed class, its reason and 采用.
inline constexpr int kCmdSiteSpeed = 32944;
inline constexpr int kProposedClassLabel = 32945;
inline constexpr int kProposedReasonLabel = 32946;
inline constexpr int kAdoptClassButton = 32947;
// 页面参数 of the print dialog: the report options beyond the original pages (off by default).
inline constexpr int kClassInBlockCheck = 32948;
inline constexpr int kPageOfTotalCheck = 32949;
inline constexpr int kWordPageNumbersCheck = 32950;
inline constexpr int kCoverPageCheck = 32951;
inline constexpr int kCoverInfoButton = 32952;

// ---- Context menus ---------------------------------------------------------------------
// File list (menu 156).
inline constexpr int kCmdListAddToPrintList = 32844;
inline constexpr int kCmdListRemoveFromPrintList = 32862;
inline constexpr int kCmdListAddDataFiles = 32850;
inline constexpr int kCmdListRemoveFromDataList = 32851;
// Raw waveform view (menu 167).
inline constexpr int kCmdRawDeleteBlow = 32864;
inline constexpr int kCmdRawUndoDeleteBlow = 32865;
// Spectrum view (menu 169).
inline constexpr int kCmdSpectrumZoomIn = 32869;
inline constexpr int kCmdSpectrumZoomOut = 32870;
inline constexpr int kCmdSpectrumReset = 32871;

// ---- Main toolbar (resource 141) -------------------------------------------------------
inline constexpr int kBtnOpen = 32814;
inline constexpr int kBtnSave = 32815;
inline constexpr int kBtnSaveAs = 32816;
inline constexpr int kBtnAddToPrint = 32817;
inline constexpr int kBtnDeleteBlow = 32818;
inline constexpr int kBtnUndoDelete = 32819;
inline constexpr int kBtnPileTop = 32821;
inline constexpr int kBtnDefect = 32822;
inline constexpr int kBtnPileBottom = 32823;
inline constexpr int kBtnOptimize = 32866;

// ---- Tools toolbar (resource 170) ------------------------------------------------------
inline constexpr int kBtnLowPass = 32872;
inline constexpr int kBtnZoomIn = 32873;
inline constexpr int kBtnZoomOut = 32874;
inline constexpr int kBtnZero = 32875;
inline constexpr int kBtnRestore = 32876;
inline constexpr int kBtnSmooth = 32877;
inline constexpr int kBtnCutFront = 32878;
inline constexpr int kBtnCutBack = 32879;
inline constexpr int kBtnReverse = 32880;
inline constexpr int kBtnIntegrate = 32881;
inline constexpr int kBtnRestack = 32882;

// ---- Commands the main window sends to the stacked view --------------------------------
inline constexpr int kViewLowPass = 10001;
inline constexpr int kViewZoomIn = 10002;
inline constexpr int kViewRestore = 10003;
inline constexpr int kViewCutFront = 10004;
inline constexpr int kViewCutBack = 10005;
inline constexpr int kViewReverse = 10006;
inline constexpr int kViewIntegrate = 10007;
inline constexpr int kViewZero = 10008;
inline constexpr int kViewSmooth = 10009;
inline constexpr int kViewZoomOut = 10010;

}  // namespace kx::id
