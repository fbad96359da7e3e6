#include "print/qt/my_print_view1.h"

#include <QPushButton>

#include "res/ids.h"

namespace kx::ui {

CMyPrintView1::CMyPrintView1(QWidget* parent)
    : InfoPage(nullptr, id::kPrintListPageDialog, parent) {
    Place(new QPushButton("移出打印列表", this), id::kPrintRemoveButton, 32, 49, 170, 20);
    Place(new QPushButton("保存打印信息", this), id::kPrintSaveInfoButton, 35, 127, 54, 20);
    Place(new QPushButton("读取打印信息", this), id::kPrintLoadInfoButton, 147, 127, 54, 20);
    // Enter belongs to the dialog's confirm button.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
    }
}

QPushButton* CMyPrintView1::RemoveButton() const {
    return Control<QPushButton>(id::kPrintRemoveButton);
}
QPushButton* CMyPrintView1::SaveInfoButton() const {
    return Control<QPushButton>(id::kPrintSaveInfoButton);
}
QPushButton* CMyPrintView1::LoadInfoButton() const {
    return Control<QPushButton>(id::kPrintLoadInfoButton);
}

}  // namespace kx::ui
