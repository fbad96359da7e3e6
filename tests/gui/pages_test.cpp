// The information pages: copying a record onto them and back, and the keys they filter.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTimeEdit>

#include "record/gbk.h"
#include "res/ids.h"
#include "support/fixture_writer.h"
#include "ui/bo_xing_xx.h"
#include "ui/gong_cheng_xx.h"
#include "ui/page4.h"
#include "ui/she_bei_xingxi.h"
#include "ui/zhong_ti_xx.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

using test::Gbk;

PileRecord SampleRecord() {
    PileRecord rec;
    rec.tester = Gbk("张工");
    rec.testingUnit = Gbk("某检测公司");
    rec.site = Gbk("一号工地");
    rec.pileNumber = Gbk("A-12");
    rec.testDate = "2023-05-17";
    rec.testTime = "08:30:15";
    rec.pileLength = 12.345f;
    rec.waveSpeed = 3800.0f;
    rec.sampleCount = 1024;
    rec.sampleIntervalUs = 20;
    rec.pileTopTimeUs = 100;
    rec.pileBottomTimeUs = 300;
    rec.defectTimeUs = 200.0f;
    rec.cursorTimeText = "1234";
    rec.cursorVoltage = 1.005f;
    rec.cursorPosition = 3.25f;
    rec.lowPassHz = 1500;
    rec.remarks = Gbk("第一行\r\n第二行");
    rec.integrityClass = "II";
    rec.concreteStrength = "C30";
    rec.pileDiameter = "800";
    rec.instrumentNumber = "KX-7300-01";
    rec.longitude = 114.123456789;
    rec.latitude = 22.5;
    return rec;
}

class PagesTest : public WindowTest {
protected:
    QString Text(InfoPage* page, int id) { return page->Edit(id)->text(); }
    QComboBox* Classes() { return window->ConclusionPage()->Control<QComboBox>(id::kClassCombo); }
    QDateEdit* DatePicker() {
        return window->ProjectPage()->Control<QDateEdit>(id::kTestDatePicker);
    }
    QTimeEdit* TimePicker() {
        return window->ProjectPage()->Control<QTimeEdit>(id::kTestTimePicker);
    }
};

TEST_F(PagesTest, ShowThenCollectKeepsTheRecord) {
    PileRecord rec = SampleRecord();
    window->SetCurrentRecord(&rec);
    ASSERT_TRUE(window->ShowRecordOnPages());

    EXPECT_EQ(Text(window->ProjectPage(), id::kTesterEdit), "张工");
    EXPECT_EQ(Text(window->ProjectPage(), id::kSiteEdit), "一号工地");
    EXPECT_EQ(DatePicker()->date(), QDate(2023, 5, 17));
    EXPECT_EQ(TimePicker()->time(), QTime(8, 30, 15));
    EXPECT_EQ(Text(window->ParameterPage(), id::kPileLengthEdit), "12.35");
    EXPECT_EQ(Text(window->ParameterPage(), id::kWaveSpeedEdit), "3800.00");
    EXPECT_EQ(Text(window->ParameterPage(), id::kDefectPositionEdit), "6.17");
    EXPECT_EQ(Text(window->ParameterPage(), id::kSampleCountEdit), "1024");
    EXPECT_EQ(Text(window->ParameterPage(), id::kSampleIntervalEdit), "20");
    EXPECT_EQ(Text(window->WaveformPage(), id::kCursorTimeEdit), "1234");
    EXPECT_EQ(Text(window->WaveformPage(), id::kCursorVoltageEdit), "1.00");
    EXPECT_EQ(Text(window->WaveformPage(), id::kCursorPositionEdit), "3.25");
    EXPECT_EQ(Text(window->WaveformPage(), id::kLowPassEdit), "1500");
    EXPECT_EQ(window->RemarksEdit()->toPlainText(), "第一行\n第二行");
    EXPECT_EQ(Classes()->currentIndex(), 1);
    EXPECT_EQ(Text(window->ConclusionPage(), id::kPileDiameterEdit), "800");
    EXPECT_EQ(Text(window->DevicePage(), id::kInstrumentNumberEdit), "KX-7300-01");
    EXPECT_EQ(Text(window->DevicePage(), id::kLongitudeEdit), "114.123457");
    EXPECT_EQ(Text(window->DevicePage(), id::kLatitudeEdit), "22.500000");

    const PileRecord shown = rec;
    ASSERT_TRUE(window->CollectPagesIntoRecord());
    EXPECT_EQ(rec.pileLength, 12.35f);  // the two decimals shown are what is kept
    PileRecord expected = shown;
    expected.pileLength = 12.35f;
    EXPECT_EQ(rec, expected);  // everything else comes back as it was
}

TEST_F(PagesTest, CollectReadsTheTypedValues) {
    PileRecord rec = SampleRecord();
    window->SetCurrentRecord(&rec);
    ASSERT_TRUE(window->ShowRecordOnPages());
    window->ParameterPage()->Edit(id::kPileLengthEdit)->setText("abc");
    window->ParameterPage()->Edit(id::kWaveSpeedEdit)->setText(" 4000.5 m/s");
    window->ParameterPage()->Edit(id::kDefectPositionEdit)->setText("9.99");  // not collected
    window->WaveformPage()->Edit(id::kLowPassEdit)->setText("800Hz");
    window->ProjectPage()->Edit(id::kSiteEdit)->setText("二号工地");
    DatePicker()->setDate(QDate(2024, 1, 2));
    TimePicker()->setTime(QTime(7, 5, 9));
    Classes()->setCurrentIndex(3);
    window->RemarksEdit()->setPlainText("甲\n乙");

    ASSERT_TRUE(window->CollectPagesIntoRecord());
    EXPECT_EQ(rec.pileLength, 0.0f);
    EXPECT_EQ(rec.waveSpeed, 4000.5f);
    EXPECT_EQ(rec.lowPassHz, 800);
    EXPECT_EQ(rec.site, Gbk("二号工地"));
    EXPECT_EQ(rec.testDate, "2024-01-02");
    EXPECT_EQ(rec.testTime, "07:05:09");
    EXPECT_EQ(rec.integrityClass, "IV");
    EXPECT_EQ(rec.remarks, Gbk("甲\r\n乙"));
    EXPECT_EQ(rec.defectTimeUs, 200.0f);
}

TEST_F(PagesTest, UnknownClassKeepsTheSelection) {
    PileRecord rec = SampleRecord();
    window->SetCurrentRecord(&rec);
    ASSERT_TRUE(window->ShowRecordOnPages());
    rec.integrityClass = "V";
    ASSERT_TRUE(window->ShowRecordOnPages());
    EXPECT_EQ(Classes()->currentText(), "II");
    ASSERT_TRUE(window->CollectPagesIntoRecord());
    EXPECT_EQ(rec.integrityClass, "II");
}

TEST_F(PagesTest, UnreadableDateOrTimeStopsTheCopyWithAMessage) {
    PileRecord first = SampleRecord();
    window->SetCurrentRecord(&first);
    ASSERT_TRUE(window->ShowRecordOnPages());

    // A bad date: the names are new, the date and everything after it are the old ones.
    PileRecord badDate = SampleRecord();
    badDate.tester = Gbk("李工");
    badDate.testDate = "";
    badDate.testTime = "11:11:11";
    badDate.pileLength = 20.0f;
    window->SetCurrentRecord(&badDate);
    EXPECT_FALSE(window->ShowRecordOnPages());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(captions.last(), CKX7300Dlg::kTitle);
    EXPECT_EQ(Text(window->ProjectPage(), id::kTesterEdit), "李工");
    EXPECT_EQ(DatePicker()->date(), QDate(2023, 5, 17));
    EXPECT_EQ(TimePicker()->time(), QTime(8, 30, 15));
    EXPECT_EQ(Text(window->ParameterPage(), id::kPileLengthEdit), "12.35");

    // A bad time: the date is new, the time and everything after it are the old ones.
    PileRecord badTime = badDate;
    badTime.testDate = "2022-12-01";
    badTime.testTime = "25:00:00";
    window->SetCurrentRecord(&badTime);
    EXPECT_FALSE(window->ShowRecordOnPages());
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(DatePicker()->date(), QDate(2022, 12, 1));
    EXPECT_EQ(TimePicker()->time(), QTime(8, 30, 15));
    EXPECT_EQ(Text(window->ParameterPage(), id::kPileLengthEdit), "12.35");
}

TEST_F(PagesTest, TextGbkCannotHoldIsRefusedAndTheRecordKept) {
    PileRecord rec = SampleRecord();
    window->SetCurrentRecord(&rec);
    ASSERT_TRUE(window->ShowRecordOnPages());
    window->ProjectPage()->Edit(id::kTesterEdit)->setText("新人");
    window->DevicePage()
        ->Edit(id::kInstrumentNumberEdit)
        ->setText(QString::fromUtf8("\xE2\x82\xA9"));
    window->ParameterPage()->Edit(id::kWaveSpeedEdit)->setText("1.0");
    const PileRecord before = rec;
    EXPECT_FALSE(window->CollectPagesIntoRecord());
    EXPECT_EQ(rec, before);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8("\xE2\x82\xA9")));
}

// The site box stops at 37 GBK bytes and the pile-number box at 11; Backspace always works.
TEST_F(PagesTest, ByteLimitedBoxesRefuseKeysButBackspace) {
    ShowActive();
    struct Case {
        int box;
        QString start;
        bool letterAccepted;
    };
    const Case cases[] = {
        {id::kSiteEdit, QString(36, 'a'), true},
        {id::kSiteEdit, QString(37, 'a'), false},
        {id::kSiteEdit, QString("测试") + QString(33, 'a'), false},  // 4 + 33 = 37 bytes
        {id::kPileNumberEdit, QString(10, '1'), true},
        {id::kPileNumberEdit, QString(11, '1'), false},
        {id::kPileNumberEdit, "中文字符", true},  // 8 GBK bytes, though 12 in UTF-8
        {id::kPileNumberEdit, "中文字符六七", false},
    };
    for (const Case& c : cases) {
        QLineEdit* box = window->ProjectPage()->Edit(c.box);
        box->setText(c.start);
        box->setFocus();
        box->end(false);
        QTest::keyClick(box, Qt::Key_B);
        EXPECT_EQ(box->text(), c.letterAccepted ? c.start + "b" : c.start)
            << c.box << " " << c.start.size();
        box->setText(c.start);
        box->end(false);
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), c.start.chopped(1)) << c.box;
    }
}

TEST_F(PagesTest, ControlsStartAsTheTemplatesSay) {
    EXPECT_FALSE(window->ParameterPage()->Edit(id::kPileLengthEdit)->isEnabled());
    EXPECT_TRUE(window->ParameterPage()->Edit(id::kWaveSpeedEdit)->isEnabled());
    EXPECT_FALSE(window->ParameterPage()->Edit(id::kSampleCountEdit)->isEnabled());
    EXPECT_FALSE(window->ParameterPage()->Control(id::kTriggerCombo)->isEnabled());
    EXPECT_FALSE(window->WaveformPage()->Edit(id::kCursorTimeEdit)->isEnabled());
    EXPECT_TRUE(window->WaveformPage()->Edit(id::kLowPassEdit)->isEnabled());
    EXPECT_TRUE(window->DevicePage()->Edit(id::kLongitudeEdit)->isReadOnly());
    EXPECT_TRUE(window->DevicePage()->Edit(id::kLongitudeEdit)->isEnabled());
    ASSERT_EQ(Classes()->count(), 4);
    EXPECT_EQ(Classes()->currentText(), "I");
    EXPECT_EQ(Classes()->itemText(3), "IV");
    EXPECT_EQ(DatePicker()->date(), QDate::currentDate());
}

}  // namespace
}  // namespace kx::ui
