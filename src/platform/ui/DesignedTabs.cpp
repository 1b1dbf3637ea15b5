#include "platform/ui/DesignedTabs.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>

#include "platform/ui/Controls.h"

namespace platform {

QRect DesignedTabs::pageRect() const {
  QStyleOptionTabWidgetFrame option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
}

QWidget* DesignedTabs::addPage(const QString& caption) {
  auto* page = new QWidget();
  addTab(page, caption);
  page->resize(pageRect().size());
  return page;
}

void DesignedTabs::place(QWidget* w, const char* name, int left, int top, int width, int height) const {
  const QPoint page = pageRect().topLeft();
  Place(w, name, left - page.x(), top - page.y(), width, height);
}

}  // namespace platform
