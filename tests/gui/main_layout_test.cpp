// Placement of the main window's children.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include "ui/image_tool_bar.h"
#include "ui/main_layout.h"
#include "ui/my_list_ctrl.h"
#include "ui/my_tool_bar.h"
#include "waveform/qt/my_die_jia.h"
#include "waveform/qt/zu_kang_qu_xian.h"
#include "widgets/tab_control.h"
#include "window_fixture.h"

namespace kx::ui {
namespace {

struct LayoutCase {
    int height;
    QRect list, infoTab, group, remarks;
};

const LayoutCase kCases[] = {
    {715, QRect(10, 100, 195, 200), QRect(10, 310, 235, 250), QRect(10, 570, 235, 130),
     QRect(20, 590, 215, 100)},
    {716, QRect(10, 100, 235, 206), QRect(10, 316, 235, 250), QRect(10, 576, 235, 130),
     QRect(20, 596, 215, 100)},
};

TEST(ComputeMainLayout, ListGrowsOnlyAbove715Pixels) {
    for (const LayoutCase& c : kCases) {
        const MainLayout m = ComputeMainLayout(QSize(1200, c.height), 100);
        EXPECT_EQ(m.fileList, c.list) << c.height;
        EXPECT_EQ(m.infoTab, c.infoTab) << c.height;
        EXPECT_EQ(m.remarksGroup, c.group) << c.height;
        EXPECT_EQ(m.remarksEdit, c.remarks) << c.height;
        EXPECT_EQ(m.viewTab, QRect(250, 100, 940, c.height - 110)) << c.height;
        EXPECT_EQ(m.views, QRect(10, 40, 920, c.height - 160)) << c.height;
        EXPECT_EQ(m.projectPage, QRect(-10, 20, 240, 220));
        EXPECT_EQ(m.otherPages, QRect(15, 20, 190, 220));
    }
}

// A low client (a 1280 x 720 screen) keeps the whole left column inside it: the list gives way
// first, then the remarks; from 705 pixels up nothing changes.
TEST(ComputeMainLayout, ALowClientShrinksTheColumnInsteadOfCuttingIt) {
    struct Case {
        int height;
        int listHeight;
        int remarksHeight;
    } cases[] = {{715, 200, 130}, {705, 200, 130}, {700, 195, 130}, {610, 105, 130},
                 {565, 60, 130},  {540, 60, 105},  {480, 60, 50}};
    for (const Case& c : cases) {
        const MainLayout m = ComputeMainLayout(QSize(1200, c.height), 100);
        EXPECT_EQ(m.fileList.height(), c.listHeight) << c.height;
        EXPECT_EQ(m.remarksGroup.height(), c.remarksHeight) << c.height;
        EXPECT_EQ(m.infoTab.top(), m.fileList.bottom() + 11) << c.height;
        if (c.height >= 540) {
            EXPECT_LE(m.remarksGroup.bottom(), c.height - 5) << c.height;
        }
    }
}

TEST(ComputeMainLayout, ViewsTabStartsAtTheListsPreviousTop) {
    EXPECT_EQ(ComputeMainLayout(QSize(1000, 700), 91).viewTab, QRect(250, 91, 740, 599));
}

TEST(ComputeMainLayout, SizesNeverGoNegative) {
    const MainLayout m = ComputeMainLayout(QSize(100, 50), 100);
    EXPECT_EQ(m.viewTab.width(), 0);
    EXPECT_EQ(m.viewTab.height(), 0);
    EXPECT_EQ(m.views.size(), QSize(0, 0));
}

TEST_F(WindowTest, ResizeLaysOutChildrenForTheClientHeight) {
    ShowActive();
    for (const LayoutCase& c : kCases) {
        const int frame = window->height() - window->Client()->height();
        window->resize(1200, c.height + frame);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->Client()->height() == c.height; }));
        EXPECT_EQ(window->FileList()->geometry(), c.list) << c.height;
        EXPECT_EQ(window->InfoTab()->geometry(), c.infoTab) << c.height;
        EXPECT_EQ(window->RemarksGroup()->geometry(), c.group) << c.height;
        EXPECT_EQ(window->RemarksEdit()->geometry(), c.remarks) << c.height;
        EXPECT_EQ(window->ViewTab()->geometry().bottom() + 1, c.height - 10);
        EXPECT_EQ(window->StackedView()->geometry(),
                  QRect(10, 40, window->ViewTab()->width() - 20, window->ViewTab()->height() - 50));
        EXPECT_EQ(window->ImpedanceView()->geometry(), window->StackedView()->geometry());
        EXPECT_EQ(window->ClientRect(), QRect(0, 0, 1200, c.height));
    }
}

TEST_F(WindowTest, CannotBeMadeSmallerThan800By600) {
    ShowActive();
    EXPECT_EQ(window->minimumSize(), QSize(800, 600));
    window->resize(300, 200);
    QApplication::processEvents();  // whatever the resize would bring has come
    EXPECT_GE(window->width(), 800);
    EXPECT_GE(window->height(), 600);
}

TEST_F(WindowTest, ToolbarsStayAboveTheFileList) {
    ShowActive();
    const int barsBottom = window->ToolsToolBar()->geometry().bottom();
    EXPECT_LT(barsBottom, 100);
    EXPECT_LE(window->MainToolBar()->geometry().bottom(), window->ToolsToolBar()->y());
}

}  // namespace
}  // namespace kx::ui
