// The program's bitmaps and icon, drawn in code: the toolbar and menu images (22 x 22), the
// About box picture (110 x 199) and the window icon (32 x 32).
#pragma once

#include <QIcon>
#include <QPixmap>

namespace kx::ui {

// Bitmap resource 130-136, 143-146 or 162; a null pixmap for any other id.
QPixmap ResourceBitmap(int id);

// The toolbar and menu image `id` (130-136, 143-146) as an icon drawn afresh at every size
// and device pixel ratio, so that it stays sharp on a screen scaled by 2; a null icon for any
// other id.
QIcon ResourceIcon(int id);

// Icon resource 128.
QIcon MainIcon();

}  // namespace kx::ui
