#include "platform/ui/WindowState.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace platform {

namespace {

class KeepMaximized : public QObject {
 public:
  explicit KeepMaximized(QWidget* window) : QObject(window), window_(window) {
    // The native window may change more than once in a row: ask again once
    // it has settled.
    settle_.setSingleShot(true);
    settle_.setInterval(100);
    connect(&settle_, &QTimer::timeout, this, [this] {
      recreated_ = false;
      if (!(window_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        window_->showMaximized();
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_) return false;
    if (event->type() == QEvent::WinIdChange) recreated_ = true;
    if (recreated_ && (event->type() == QEvent::WinIdChange || event->type() == QEvent::WindowStateChange))
      settle_.start();
    return false;
  }

 private:
  QWidget* window_;
  QTimer settle_;
  bool recreated_ = false;
};

}  // namespace

void ShowMaximized(QWidget* window) {
  if (!window->property("keepsMaximized").toBool()) {
    window->setProperty("keepsMaximized", true);
    window->installEventFilter(new KeepMaximized(window));
  }
  if (!window->isVisible() && !window->testAttribute(Qt::WA_Moved)) {
    // The place a restore returns to, unless the opener chose one; left to
    // the window manager, it may lie partly off the screen.
    const QWidget* parent = window->parentWidget();
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) window->move(screen->availableGeometry().center() - window->rect().center());
  }
  window->showMaximized();
}

}  // namespace platform
