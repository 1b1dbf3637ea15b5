#pragma once
// The site's list of common company documents (forms and templates to
// download) in a browser box under a banner.
#include <QWidget>

namespace online {

class DocumentDownloadWindow : public QWidget {
  Q_OBJECT
 public:
  explicit DocumentDownloadWindow(QWidget* parent = nullptr);

  // Creates the window (deleted when closed) and shows it maximised.
  static DocumentDownloadWindow* Open(QWidget* parent);

  template <class T>
  T* control(const char* name) const {
    return findChild<T*>(QString::fromUtf8(name));
  }
};

}  // namespace online
