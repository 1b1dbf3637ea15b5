#pragma once
// The five-element balance window: the boss's name and birth date (shared
// with the main window through the settings file) and, on 测算, the
// analysis of both as a guide for choosing the company name's characters.
#include <QString>
#include <QWidget>
#include <map>

#include "platform/ui/Controls.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace analysis {

class FiveElementBalanceWindow : public QWidget, public platform::NamedControls<FiveElementBalanceWindow> {
  Q_OBJECT
 public:
  static constexpr int kDesignedWidth = 568;
  static constexpr int kDesignedHeight = 394;

  explicit FiveElementBalanceWindow(QWidget* parent = nullptr);
  ~FiveElementBalanceWindow() override;

  // Creates the window (deleted when closed) and shows it.
  static FiveElementBalanceWindow* Open(QWidget* parent);

  // 测算: the name's analysis, then the birth date's.
  void AnalyseBossName();

 private:
  void LoadBalanceWindowOptions();
  void SaveBalanceWindowOptions();
  void onSettingWritten(const QString& key, const QString& value);

  QLineEdit* surname_;
  QLineEdit* given_;
  QComboBox* year_;
  QComboBox* month_;
  QComboBox* day_;
  QComboBox* hour_;
  QPlainTextEdit* output_;
  int settingsListener_ = 0;
  // Each boss key's value as this window last took it from the settings.
  std::map<QString, QString> taken_;
};

}  // namespace analysis
