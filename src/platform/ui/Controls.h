#pragma once
// Every window names its controls as designed (object names, UTF-8), and
// code outside a window finds them by those names rather than through the
// window's class: a feature attaching to the main window, a test, another
// window's launcher.
#include <QObject>
#include <QString>
#include <QWidget>

namespace platform {

// The control named `name` (UTF-8) anywhere below `window`, or nullptr.
template <class T>
T* Control(const QObject* window, const char* name) {
  return window->findChild<T*>(QString::fromUtf8(name));
}

// Names `control` (UTF-8) and puts it at its designed place in its parent.
inline void Place(QWidget* control, const char* name, int left, int top, int width, int height) {
  control->setObjectName(QString::fromUtf8(name));
  control->setGeometry(left, top, width, height);
}

// Gives a window control<T>(name), e.g. control<QLineEdit>("编辑框1").
template <class Window>
class NamedControls {
 public:
  template <class T>
  T* control(const char* name) const {
    return Control<T>(static_cast<const Window*>(this), name);
  }
};

}  // namespace platform
