#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "frame/settings.h"
#include "frame/ui/MainWindow.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"

using frame::MainWindow;
using gbk::G;

namespace {

class RegionPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Nothing answers there: the start-up fetch fails at once.
    ::setenv("LANZHOU_SITE_URL", "http://127.0.0.1:9/", 1);
    home.PrepareGlobals();
  }

  void Open() {
    window = std::make_unique<MainWindow>();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    panel = window->control<QWidget>("外形框dq");
    box = window->control<QLineEdit>("编辑框1");
    provinces = window->control<QTableWidget>("超级列表框sj");
    cities = window->control<QTableWidget>("超级列表框cj");
    ASSERT_TRUE(panel && box && provinces && cities);
  }

  void Preset(const char* key, const char* value) {
    platform::WriteProfileString(G("澜舟雅集"), G(key), G(value), frame::GetSettingsFilePath());
  }
  std::string Setting(const char* key) { return gbk::ToUtf8(frame::ReadSetting(G(key), "<none>")); }

  void PressRegionBox() { QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  bool PanelOpen() const { return !panel->isHidden(); }

  int RowOf(QTableWidget* list, const char* text) {
    for (int r = 0; r < list->rowCount(); ++r)
      if (list->item(r, 0)->text() == QString::fromUtf8(text)) return r;
    return -1;
  }
  QPoint RowCentre(QTableWidget* list, int row) {
    list->scrollToItem(list->item(row, 0));
    return list->visualItemRect(list->item(row, 0)).center();
  }
  void ClickRow(QTableWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, row));
  }
  void DoubleClickRow(QTableWidget* list, int row) {
    QPoint at = RowCentre(list, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  testing_support::TestHome home;
  testing_support::MessageBoxRecorder boxes;
  testing_support::LaunchRecorder launches;
  std::unique_ptr<MainWindow> window;
  QWidget* panel = nullptr;
  QLineEdit* box = nullptr;
  QTableWidget* provinces = nullptr;
  QTableWidget* cities = nullptr;
};

TEST_F(RegionPickerTest, ProvincesAreListedInScriptOrderAndNoneIsChosenAtFirst) {
  Open();
  ASSERT_EQ(provinces->rowCount(), 34);
  EXPECT_EQ(provinces->item(0, 0)->text(), QStringLiteral("北京市"));
  EXPECT_EQ(provinces->item(4, 0)->text(), QStringLiteral("江苏省"));
  EXPECT_EQ(provinces->item(27, 0)->text(), QStringLiteral("广西壮族自治区"));
  EXPECT_EQ(provinces->item(33, 0)->text(), QStringLiteral("香港特别行政区"));
  EXPECT_EQ(provinces->currentRow(), -1);
  EXPECT_FALSE(PanelOpen());
}

TEST_F(RegionPickerTest, PressIntoTheRegionBoxTogglesThePanelWithoutTouchingTheBox) {
  Open();
  box->setText(QStringLiteral("临江"));
  PressRegionBox();
  ASSERT_TRUE(PanelOpen());
  EXPECT_EQ(panel->x(), 203);
  EXPECT_EQ(panel->y(), 87);
  // No province yet: the city list stays empty and "no row" is saved.
  EXPECT_EQ(provinces->currentRow(), -1);
  EXPECT_EQ(cities->rowCount(), 0);
  EXPECT_EQ(Setting("地区1"), "-1");
  EXPECT_EQ(box->text(), QStringLiteral("临江"));

  PressRegionBox();
  EXPECT_FALSE(PanelOpen());
  EXPECT_EQ(box->text(), QStringLiteral("临江"));
}

struct CityChoice {
  const char* province;
  int cityCount;
  const char* firstCity;
  int cityRow;
  const char* region;
  friend void PrintTo(const CityChoice& c, std::ostream* os) { *os << c.province << " row " << c.cityRow; }
};

class RegionPickerCityTest : public RegionPickerTest, public ::testing::WithParamInterface<CityChoice> {};

TEST_P(RegionPickerCityTest, ChoosingACityWritesItsPrefixAndRemembersBothRows) {
  const CityChoice& c = GetParam();
  Open();
  PressRegionBox();
  int provinceRow = RowOf(provinces, c.province);
  ASSERT_GE(provinceRow, 0);
  ClickRow(provinces, provinceRow);
  ASSERT_EQ(cities->rowCount(), c.cityCount);
  EXPECT_EQ(cities->item(0, 0)->text(), QString::fromUtf8(c.firstCity));
  EXPECT_EQ(cities->currentRow(), 0);
  EXPECT_EQ(Setting("地区1"), std::to_string(provinceRow));

  ClickRow(cities, c.cityRow);
  EXPECT_EQ(box->text(), QString::fromUtf8(c.region));
  EXPECT_EQ(Setting("地区1"), std::to_string(provinceRow));
  EXPECT_EQ(Setting("地区2"), std::to_string(c.cityRow));
  EXPECT_TRUE(PanelOpen()) << "a single click keeps the panel open";

  QTest::mouseDClick(cities->viewport(), Qt::LeftButton, {}, RowCentre(cities, c.cityRow));
  EXPECT_FALSE(PanelOpen());
  EXPECT_EQ(box->text(), QString::fromUtf8(c.region));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegionPickerCityTest,
    ::testing::Values(CityChoice{"北京市", 1, "北京市", 0, "北京"},  // a municipality is its own city
                      CityChoice{"江苏省", 13, "南京市", 0, "南京"},  // the first city, already current
                      CityChoice{"江苏省", 13, "南京市", 4, "苏州"},
                      CityChoice{"广西壮族自治区", 14, "南宁市", 2, "桂林"},
                      CityChoice{"吉林省", 9, "长春市", 8, "延边朝鲜族自治州"}));

struct ProvinceChoice {
  const char* province;
  const char* region;
  friend void PrintTo(const ProvinceChoice& c, std::ostream* os) { *os << c.province; }
};

class RegionPickerProvinceTest : public RegionPickerTest, public ::testing::WithParamInterface<ProvinceChoice> {};

TEST_P(RegionPickerProvinceTest, DoubleClickedProvinceBecomesTheRegionAndClosesThePanel) {
  Open();
  PressRegionBox();
  int row = RowOf(provinces, GetParam().province);
  ASSERT_GE(row, 0);
  DoubleClickRow(provinces, row);
  EXPECT_EQ(box->text(), QString::fromUtf8(GetParam().region));
  EXPECT_FALSE(PanelOpen());
  EXPECT_EQ(Setting("地区2"), "<none>") << "choosing a province saves no city row";
}

INSTANTIATE_TEST_SUITE_P(Rows, RegionPickerProvinceTest,
                         ::testing::Values(ProvinceChoice{"江苏省", "江苏"}, ProvinceChoice{"北京市", "北京"},
                                           ProvinceChoice{"广西壮族自治区", "广西壮族自治区"},
                                           ProvinceChoice{"香港特别行政区", "香港特别行政区"}));

TEST_F(RegionPickerTest, SavedRowsAreRestoredWithoutOverwritingTheRegionBox) {
  Preset("地区1", "4");  // 江苏省
  Preset("地区2", "2");  // 徐州市
  Preset("地区名", "临江");
  Open();
  PressRegionBox();
  EXPECT_EQ(provinces->currentRow(), 4);
  ASSERT_EQ(cities->rowCount(), 13);
  EXPECT_EQ(cities->currentRow(), 2);
  EXPECT_EQ(cities->currentItem()->text(), QStringLiteral("徐州市"));
  EXPECT_EQ(box->text(), QStringLiteral("临江"));
}

struct SavedRows {
  const char* province;
  const char* city;
  int provinceRow, cityCount, cityRow;
  const char* savedProvince;
  friend void PrintTo(const SavedRows& s, std::ostream* os) { *os << s.province << "/" << s.city; }
};

class RegionPickerSavedRowsTest : public RegionPickerTest, public ::testing::WithParamInterface<SavedRows> {};

TEST_P(RegionPickerSavedRowsTest, RowsTheListsDoNotHaveAreIgnored) {
  const SavedRows& s = GetParam();
  Preset("地区1", s.province);
  Preset("地区2", s.city);
  Open();
  PressRegionBox();
  EXPECT_TRUE(PanelOpen());
  EXPECT_EQ(provinces->currentRow(), s.provinceRow);
  EXPECT_EQ(cities->rowCount(), s.cityCount);
  EXPECT_EQ(cities->currentRow(), s.cityRow);
  EXPECT_EQ(Setting("地区1"), s.savedProvince);
  EXPECT_EQ(box->text(), QStringLiteral("苏州"));
}

INSTANTIATE_TEST_SUITE_P(Rows, RegionPickerSavedRowsTest,
                         ::testing::Values(SavedRows{"99", "50", -1, 0, -1, "-1"},   // past the provinces
                                           SavedRows{"-7", "3", -1, 0, -1, "-1"},    // below "none"
                                           SavedRows{"4", "99", 4, 13, 0, "4"},      // past 江苏省's cities
                                           SavedRows{"0", "5", 0, 1, 0, "0"},        // a municipality's one row
                                           SavedRows{"-1", "0", -1, 0, -1, "-1"},    // saved "none"
                                           SavedRows{"x", "y", 0, 1, 0, "0"},        // not numbers: row 0
                                           SavedRows{"４", "３", 4, 13, 3, "4"}));   // full-width digits

TEST_F(RegionPickerTest, ClicksElsewhereCloseThePanel) {
  Open();
  const char* closers[] = {"编辑框A1", "编辑框A2", "编辑框A3", "编辑框A4",  "编辑框A5",
                           "编辑框2",  "透明标签sj", "透明标签xp1", "透明标签1", "客户区"};
  for (const char* name : closers) {
    SCOPED_TRACE(name);
    PressRegionBox();
    ASSERT_TRUE(PanelOpen());
    QWidget* w = window->control<QWidget>(name);
    ASSERT_NE(w, nullptr);
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(PanelOpen());
  }

  PressRegionBox();
  ASSERT_TRUE(PanelOpen());
  QTest::mousePress(window->control<QTableView>("超级列表框1")->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(PanelOpen()) << "the result grid";

  PressRegionBox();
  ASSERT_TRUE(PanelOpen());
  window->control<QToolButton>("图形按钮姓氏选择框")->click();
  EXPECT_FALSE(PanelOpen()) << "the close button";
}

TEST_F(RegionPickerTest, ClicksInsideThePanelKeepItOpen) {
  Open();
  PressRegionBox();
  ASSERT_TRUE(PanelOpen());
  QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(160, 250));  // the panel's bare background
  EXPECT_TRUE(PanelOpen());
  QTest::mousePress(window->control<QWidget>("图片框2"), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(PanelOpen());
  QTest::mousePress(panel, Qt::RightButton, {}, QPoint(160, 250));
  EXPECT_TRUE(PanelOpen());
  ClickRow(provinces, 4);
  EXPECT_TRUE(PanelOpen());
}

}  // namespace
