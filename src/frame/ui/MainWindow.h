#pragma once
// The start-up window: inputs, boss data, the result grid, modes, region
// picker, tool bar and menus. The window builds its designed layout and
// keeps the user's inputs; the features (generation, region picker, modes,
// grid menu, ...) attach to its controls by their designed names.
#include <QMainWindow>
#include <QPointer>

#include "platform/ini.h"
#include "platform/ui/Controls.h"

class QLabel;
class QTableView;

namespace frame {

class MainWindow : public QMainWindow, public platform::NamedControls<MainWindow> {
  Q_OBJECT
 public:
  // Designed outer size, also the smallest the window can be made; the hint
  // picture shows only at exactly this size.
  static constexpr int kDesignedWidth = 754;
  static constexpr int kDesignedHeight = 553;

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The status bar has two parts; part 1 carries the mode and run hints.
  void setStatusPart(int part, const QString& text);
  QString statusPart(int part) const;

  // Shows as many fixed-character boxes as the chosen name length needs and
  // moves the length box and its hint beside the last one.
  void setKeywordHints();

  // Shows the window in the state saved at the last close (maximised when
  // none was saved). A saved minimised state opens normal: with no task bar
  // to restore it from, the program would seem not to start.
  void showForSavedState();

  // The state the settings file keeps: 0 normal, 3 maximised. A minimised
  // window keeps the state it had before it was minimised.
  int savedWindowState() const;

  // Saves the boss data (birth year, month, day, hour, names, gender).
  void saveBossOptions();

  // Flips the gender switch and saves.
  void toggleGenderCheck();

  // Shows the hint picture only while the grid is empty and the window has
  // its designed size.
  void updateHintPicture();

  // Called from a worker's result posted to the GUI thread.
  void enableGenerateButton();

  // The updater has started: hide, then end the program (inputs saved)
  // about one second later through the timer "结束时钟".
  void endProgramSoon();

 signals:
  // Emitted when the window closes, after the inputs were saved and before
  // the generation worker is stopped.
  void closing();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildLayout();
  void buildMenus();
  void buildToolbar(QWidget* central);
  void registerAnchors();
  void attachFeatures();
  void applyEditBoxFont();
  void restoreInputs();
  void loadBossOptions();
  void saveInputs();
  // The boss data as the settings file keeps it.
  platform::ProfileEntries bossOptions();
  void onSettingWritten(const QString& key, const QString& value);
  // The gender switch's picture for male_.
  void showGender();
  void startNetworkThread();

  QWidget* central_ = nullptr;
  QLabel* statusParts_[2] = {nullptr, nullptr};
  bool male_ = true;
  bool closed_ = false;
  // Whether the window was maximised when it was last shown unminimised.
  bool maximisedBeforeMinimise_ = false;
  int settingsListener_ = 0;
};

}  // namespace frame
