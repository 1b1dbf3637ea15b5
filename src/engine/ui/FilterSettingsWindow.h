#pragma once
// The filter window: narrows the names of the last run by the conditions of
// the page showing and lists the kept names again in the main window's grid.
#include <QPointer>
#include <QWidget>

#include "engine/filter.h"

namespace frame {
class MainWindow;
class DesignedTabs;
}  // namespace frame

namespace engine {

class FilterSettingsWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FilterSettingsWindow(frame::MainWindow* main);

  // A control by its designed name (UTF-8).
  template <class T>
  T* control(const char* name) const {
    return findChild<T*>(QString::fromUtf8(name));
  }

  // The conditions the controls hold now, for the page showing.
  FilterConditions conditions() const;

  // The click of 确定: keeps the names that meet the conditions, hands them
  // to the re-listing and closes the window; refuses while a run or another
  // re-listing is going.
  void applyFilter();

 private:
  void buildControls();
  void initFilterWindow();

  QPointer<frame::MainWindow> main_;
  frame::DesignedTabs* tabs_ = nullptr;
};

// The click of the main window's 按钮2: opens a filter window.
FilterSettingsWindow* OpenFilterWindow(frame::MainWindow* main);

}  // namespace engine
