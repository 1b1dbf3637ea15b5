#pragma once
// Small pieces the site windows share.
#include <QRect>
#include <QString>

class QFrame;
class QStatusBar;
class QWidget;

namespace online {

// The designed sizes of these windows count the frame and title bar; this is
// what they leave for the client area.
QSize ClientSizeOfDesign(int width, int height);

// The thin coloured rule the designs draw with a progress bar that is never
// driven.
QFrame* AddThinRule(QWidget* parent, const char* name, const QRect& place);

// Places a window that is not maximised over the middle of `over`, or of
// the screen when there is none.
void CentreWindow(QWidget* window, const QWidget* over);

// A status bar docked at the bottom, full width, never written.
QStatusBar* AddDockedStatusBar(QWidget* parent, const char* name);

}  // namespace online
