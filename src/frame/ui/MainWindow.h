#pragma once
#include <QMainWindow>

namespace frame {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;
  void showForSavedState();
};

}  // namespace frame
