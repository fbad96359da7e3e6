#include "ui/she_bei_xingxi.h"

#include <QGroupBox>
#include <QLineEdit>

#include "res/ids.h"

namespace kx::ui {

CSheBeiXingxi::CSheBeiXingxi(PageHost* host, QWidget* parent)
    : InfoPage(host, id::kDevicePageDialog, parent) {
    AddLabel("仪器编号:", 10, 22, 36, 8);
    AddEdit(id::kInstrumentNumberEdit, 47, 20, 47, 14)->setReadOnly(true);
    Place(new QGroupBox("GPS定位", this), id::kStatic, 7, 47, 95, 55);
    AddLabel(QString(), 33, 44, 8, 8);
    AddLabel("经度:", 26, 61, 20, 8);
    AddEdit(id::kLongitudeEdit, 48, 59, 47, 14)->setReadOnly(true);
    AddLabel("纬度:", 26, 81, 20, 8);
    AddEdit(id::kLatitudeEdit, 48, 78, 47, 14)->setReadOnly(true);
    FinishControls();
}

}  // namespace kx::ui
