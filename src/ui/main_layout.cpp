#include "ui/main_layout.h"

#include <algorithm>

namespace kx::ui {

namespace {

// A size never goes below zero, however small the client gets.
QRect Box(int x, int y, int w, int h) {
    return QRect(x, y, std::max(0, w), std::max(0, h));
}

}  // namespace

MainLayout ComputeMainLayout(QSize client, int listTop) {
    MainLayout m;
    m.projectPage = Box(-10, 20, 240, 220);
    m.otherPages = Box(15, 20, 190, 220);

    const int right = client.width();
    const int bottom = client.height();
    m.viewTab = Box(250, listTop, right - 260, bottom - listTop - 10);

    if (bottom <= kListGrowsAboveHeight) {
        // Below the height the column needs (a small screen), the list gives way first and
        // then the remarks, so that nothing of the column is cut off.
        m.fileList = Box(10, kFileListTop, 195,
                         std::clamp(bottom - kColumnBelowList, kLeastListHeight, 200));
    } else {
        m.fileList = Box(10, kFileListTop, 235, bottom - 510);
    }
    const int h = m.fileList.height();
    m.infoTab = Box(10, h + 110, 235, 250);
    m.remarksGroup =
        Box(10, h + 370, 235, std::clamp(bottom - (h + 370) - 5, kLeastRemarksHeight, 130));
    const QRect& g = m.remarksGroup;
    m.remarksEdit = Box(g.left() + 10, g.top() + 20, g.width() - 20, g.height() - 30);
    m.views = Box(10, 40, m.viewTab.width() - 20, m.viewTab.height() - 50);
    return m;
}

}  // namespace kx::ui
