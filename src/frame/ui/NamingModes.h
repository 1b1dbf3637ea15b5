#pragma once
// The naming modes and the input hints of the main window.
//
// The mode is held by three hidden radio boxes (单选框1 smart mode 1,
// 单选框3 smart mode 2, 单选框2 combination mode), which the generate button
// reads; the user picks it with three two-face picture buttons laid over
// them (图形按钮m1..m3). Each mode puts its description into part 1 of the
// status bar.
//
// Changing the name length or a fixed character (编辑框A1..A4) hides the two
// buttons that work on the last results (按钮2, 按钮3), since those results
// no longer match the inputs; the next run shows them again.
#include <QObject>
#include <QPixmap>

class QAbstractButton;
class QToolButton;

namespace frame {

class MainWindow;

class NamingModes : public QObject {
  Q_OBJECT
 public:
  enum Mode { SmartMode1 = 0, SmartMode2 = 1, CombinationMode = 2 };

  // Attaches to the window's controls by their names. The object is a
  // child of the window.
  explicit NamingModes(MainWindow* window);

  // The radio boxes: each shows its own wording of the hint while checked.
  void ShowSmartMode1Hint();
  void ShowSmartMode2Hint();
  void ShowCombinationModeHint();

  void OnNameLengthSelected();

  // A face of a mode's picture button: 69 x 20, 24-bit. The selected face
  // is the one of the mode that is on.
  static QPixmap ModeFace(Mode mode, bool selected);

  // The name of the property that tells whether a picture button shows its
  // selected face (bool).
  static const char* SelectedFaceProperty() { return "selectedFace"; }

 private:
  // A picture button: its mode goes on.
  void SwitchTo(Mode mode);
  void ShowRadioHint(Mode mode);
  void ShowFaces(Mode selected);
  void HideResultButtons();

  MainWindow* window_;
  QAbstractButton* radios_[3];
  QToolButton* pictureButtons_[3];
};

}  // namespace frame
