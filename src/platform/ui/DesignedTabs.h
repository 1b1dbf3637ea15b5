#pragma once
// A tab control whose pages carry controls at designed places. The designed
// places are measured from the tab control's corner, not from its page; this
// tab widget tells where its page area starts before it has ever been laid
// out, and places page controls accordingly.
#include <QTabWidget>

namespace platform {

class DesignedTabs : public QTabWidget {
 public:
  using QTabWidget::QTabWidget;

  // The page area, in the tab control's coordinates.
  QRect pageRect() const;

  // Adds a page already sized to the page area (the tab widget would size it
  // only once shown).
  QWidget* addPage(const QString& caption);

  // Names `w` (UTF-8) and puts it at its designed place on its page.
  void place(QWidget* w, const char* name, int left, int top, int width, int height) const;
};

}  // namespace platform
