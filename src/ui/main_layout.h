// Where the main window's children go for a given client size: a fixed left column (file
// list, info tab, remarks) whose list grows once the client is taller than 715 pixels, and
// the views tab filling the rest. Pure arithmetic, so it is tested without a window.
#pragma once

#include <QRect>
#include <QSize>

namespace kx::ui {

struct MainLayout {
    QRect projectPage;  // in the info tab's coordinates
    QRect otherPages;   // the other four pages, same coordinates
    QRect viewTab;      // client coordinates
    QRect fileList;
    QRect infoTab;
    QRect remarksGroup;
    QRect remarksEdit;
    QRect views;  // all four views, in the views tab's coordinates
};

inline constexpr int kListGrowsAboveHeight = 715;
inline constexpr int kFileListTop = 100;
// Below the list the column needs this much (info tab, remarks, margin); on a lower client
// the list shrinks to kLeastListHeight, then the remarks to kLeastRemarksHeight.
inline constexpr int kColumnBelowList = 505;
inline constexpr int kLeastListHeight = 60;
inline constexpr int kLeastRemarksHeight = 50;

// `listTop` is the file list's top edge before this layout moves it (the views tab starts
// there).
MainLayout ComputeMainLayout(QSize client, int listTop);

}  // namespace kx::ui
