#pragma once
// Small pieces the site windows share.
#include <QRect>
#include <QString>

class QFrame;
class QStatusBar;
class QWidget;

namespace platform {
class BrowserBox;
}

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

// What the windows showing one site page under a tool bar have below that
// bar: the thin rule, the browser box "超文本浏览框1" anchored on all sides
// and the docked status bar.
platform::BrowserBox* AddPageArea(QWidget* window);

// The tool bar buttons those windows share, by caption: "关闭", "后退",
// "前进" and the print button, captioned `printCaption`. Returns whether
// `caption` was one of them.
bool RunPageButton(QWidget* window, platform::BrowserBox* browser, const QString& caption,
                   const QString& printCaption);

}  // namespace online
