#pragma once
// The site's list of common company documents (forms and templates to
// download) in a browser box under a banner.
#include <QWidget>

#include "platform/ui/Controls.h"

namespace online {

class DocumentDownloadWindow : public QWidget, public platform::NamedControls<DocumentDownloadWindow> {
  Q_OBJECT
 public:
  explicit DocumentDownloadWindow(QWidget* parent = nullptr);

  // Creates the window (deleted when closed) and shows it maximised.
  static DocumentDownloadWindow* Open(QWidget* parent);
};

}  // namespace online
