#include "waveform/qt/my_die_jia.h"

#include "res/ids.h"

namespace kx {

CMyDieJia::CMyDieJia(QWidget* parent) : QFrame(parent) {
    setObjectName(QString::number(id::kStackedView));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CMyDieJia::RunViewCommand(int viewCommand) {
    // The tools are not attached yet; the main window's side of the command is complete.
    (void)viewCommand;
}

}  // namespace kx
