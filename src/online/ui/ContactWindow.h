#pragma once
// "联系我们": the site's home address, which opens in the system's web
// browser, and a close button. It has no parent window, and one is open at
// a time.
#include <QWidget>

#include "platform/ui/Controls.h"

namespace online {

class ContactWindow : public QWidget, public platform::NamedControls<ContactWindow> {
  Q_OBJECT
 public:
  ContactWindow();

  // Shows the open contact window, or creates one (deleted when closed).
  static ContactWindow* Open();

  // A left press on the address: the home page opens outside the program;
  // the window stays.
  void OpenHomePageFromContact();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* address_ = nullptr;
};

}  // namespace online
