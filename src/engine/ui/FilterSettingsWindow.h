#pragma once
// The filter window: narrows the names of the last run by the conditions of
// the page showing and lists the kept names again in the main window's grid.
#include <QPointer>
#include <QWidget>

#include "engine/filter.h"
#include "platform/ui/Controls.h"

namespace platform {
class DesignedTabs;
}

namespace engine {

class FilterSettingsWindow : public QWidget, public platform::NamedControls<FilterSettingsWindow> {
  Q_OBJECT
 public:
  explicit FilterSettingsWindow(QWidget* main);

  // The conditions the controls hold now, for the page showing.
  FilterConditions conditions() const;

  // The click of 确定: keeps the names that meet the conditions, hands them
  // to the re-listing and closes the window; refuses while a run or another
  // re-listing is going.
  void applyFilter();

 private:
  void buildControls();
  void initFilterWindow();

  QPointer<QWidget> main_;
  platform::DesignedTabs* tabs_ = nullptr;
};

// The click of the main window's 按钮2: opens a filter window.
FilterSettingsWindow* OpenFilterWindow(QWidget* main);

}  // namespace engine
