#include "frame/ui/MainWindow.h"

namespace frame {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("澜舟雅集 v23.0"));
  resize(754, 553);
}

MainWindow::~MainWindow() = default;

void MainWindow::showForSavedState() { show(); }

}  // namespace frame
