#pragma once
// The region picker: a click into the region box (编辑框1) opens a panel with
// a province list and the chosen province's cities; choosing a row writes
// the region prefix into the box and remembers the rows in the settings
// ("地区1", "地区2") so the panel reopens on them. A click elsewhere on the
// window closes the panel.
//
// Row changes the picker makes itself (filling, restoring saved rows) never
// count as the user's choice: opening the panel must not overwrite what the
// user typed into the region box.
#include <QObject>
#include <QPointer>

class QLineEdit;
class QTableWidget;
class QWidget;

namespace frame {

class MainWindow;

class RegionPicker : public QObject {
  Q_OBJECT
 public:
  // Attaches to the window's panel controls by their names and fills the
  // province list. The picker is a child of the window.
  explicit RegionPicker(MainWindow* window);

  // Fills the province list from the shipped province script.
  void FillProvinceList();
  // Lists the cities of the current province, makes the first current and
  // saves the province row ("地区1", -1 when there is none).
  void FillCityList();

  // A press into the region box: opens or closes the panel and puts it on
  // the saved rows.
  void ShowRegionPanel();
  // The user moved to another province.
  void OnProvinceSelected();
  // A province double-clicked: the province itself becomes the region.
  void ChooseProvince();
  // The user picked a city: it becomes the region and both rows are saved.
  void RememberChosenCity();
  void HideRegionPanel();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Makes `row` current without it counting as the user's choice; -1 leaves
  // no current row.
  void SetCurrentRowQuietly(QTableWidget* list, int row);
  void AppendRow(QTableWidget* list, const QString& text);

  MainWindow* window_;
  QPointer<QWidget> panel_;
  QLineEdit* regionBox_;
  QTableWidget* provinces_;
  QTableWidget* cities_;
  QWidget* citiesViewport_ = nullptr;
  QObject* closers_[10] = {};
  bool settingRows_ = false;
};

}  // namespace frame
