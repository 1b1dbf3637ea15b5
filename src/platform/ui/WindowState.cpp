#include "platform/ui/WindowState.h"

#include <QEvent>
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
  window->showMaximized();
}

}  // namespace platform
