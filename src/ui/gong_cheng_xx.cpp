#include "ui/gong_cheng_xx.h"

#include <QDateEdit>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimeEdit>

#include "res/ids.h"
#include "widgets/gbk_text.h"

namespace kx::ui {

CGongChengXX::CGongChengXX(PageHost* host, QWidget* parent)
    : InfoPage(host, id::kProjectPageDialog, parent) {
    AddLabel("检测人员", 12, 17, 33, 8);
    AddEdit(id::kTesterEdit, 48, 15, 106, 14);
    AddLabel("检测单位", 12, 37, 33, 8);
    AddEdit(id::kTestingUnitEdit, 48, 34, 106, 14);
    AddLabel("测试工地", 12, 58, 33, 8);
    AddEdit(id::kSiteEdit, 48, 55, 106, 14);
    AddLabel("测试桩号", 12, 78, 33, 8);
    AddEdit(id::kPileNumberEdit, 48, 74, 106, 14);

    const QDateTime now = QDateTime::currentDateTime();
    AddLabel("测试日期", 12, 98, 33, 8);
    auto* date = Place(new QDateEdit(now.date(), this), id::kTestDatePicker, 48, 98, 54, 15);
    date->setDisplayFormat("yyyy/M/d");
    date->setCalendarPopup(true);
    date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AddLabel("测试时间", 12, 119, 33, 8);
    auto* time = Place(new QTimeEdit(now.time(), this), id::kTestTimePicker, 48, 117, 54, 15);
    time->setDisplayFormat("H:mm:ss");
    time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The pickers grow to show their whole text in the stand-in font; nothing lies to their
    // right.
    for (QDateTimeEdit* picker :
         {static_cast<QDateTimeEdit*>(date), static_cast<QDateTimeEdit*>(time)}) {
        picker->resize(std::max(picker->width(), picker->sizeHint().width()), picker->height());
    }
    FinishControls();
}

bool CGongChengXX::FilterKey(QWidget* target, QKeyEvent* key) {
    int limit = 0;
    if (target == Edit(id::kSiteEdit)) {
        limit = kSiteByteLimit;
    } else if (target == Edit(id::kPileNumberEdit)) {
        limit = kPileNumberByteLimit;
    } else {
        return false;
    }
    // Measured before the key takes effect, so typing stops one byte past the limit. A text
    // GBK cannot hold (-1) counts as full.
    const int bytes = GbkLength(static_cast<QLineEdit*>(target)->text());
    const bool full = bytes < 0 || bytes > limit;
    return full && key->key() != Qt::Key_Backspace;
}

}  // namespace kx::ui
