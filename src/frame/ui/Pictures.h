#pragma once
// The main window's pictures, drawn at run time (no image files needed).
#include <QPixmap>

namespace frame {

enum class Gender { Male, Female };

// The 46 x 20 gender switch: a green switch labelled 男 or 女.
QPixmap GenderPicture(Gender gender);
// The 80 x 20 background behind a row caption.
QPixmap CaptionBackground();
// The hint laid over the empty result grid.
QPixmap ResultHintPicture(const QSize& size);
// The 80 x 79 emblem at the top right of the main window.
QPixmap EmblemPicture();
// The 16 x 16 picture at the head of every result row: a leaf-green mark.
QPixmap ResultRowPicture();
// A 24 x 24 tool bar icon, one per button (index 0 to 6).
QPixmap ToolbarIcon(int index);

}  // namespace frame
