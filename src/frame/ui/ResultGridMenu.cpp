#include "frame/ui/ResultGridMenu.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "analysis/favourites.h"
#include "analysis/name_pages.h"
#include "analysis/ui/NameEvaluationWindow.h"
#include "analysis/ui/PageLinks.h"
#include "engine/name_parts.h"
#include "engine/ui/ResultModel.h"
#include "frame/globals.h"
#include "frame/ui/MainWindow.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/ui/qt_bridge.h"

namespace frame {

namespace {

constexpr int kFullNameColumn = 1;
constexpr int kNameColumn = 7;

// The designed items of the hidden menu, in order ("-" a separator).
const char* const kItems[] = {"复制公司名",
                              "-",
                              "测算公司名",
                              "-",
                              "公司重名查询",
                              "-",
                              "将A设置为限定词",
                              "将B设置为限定词",
                              "将C设置为限定词",
                              "将D设置为限定词",
                              "-",
                              "将E加入自选列表",
                              "-",
                              "导出所有公司名"};

// A caption shows a name as it is: "&" would otherwise mark a shortcut.
QString Caption(const std::string& gbkText) { return platform::Q(gbkText).replace(QLatin1Char('&'), "&&"); }

}  // namespace

ResultGridMenu::ResultGridMenu(MainWindow* window) : QObject(window), window_(window) {
  setObjectName(QStringLiteral("ResultGridMenu"));
  menu_ = window->findChild<QMenu*>(QStringLiteral("隐藏菜单"));
  if (!menu_) {
    menu_ = new QMenu(QStringLiteral("隐藏菜单"), window);
    menu_->setObjectName(QStringLiteral("隐藏菜单"));
  }
  for (const char* caption : kItems) {
    if (std::string_view(caption) == "-") {
      menu_->addSeparator();
      continue;
    }
    QAction* a = menu_->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(caption));
  }
  static const char* const kQualifiers[4] = {"将A设置为限定词", "将B设置为限定词", "将C设置为限定词",
                                             "将D设置为限定词"};
  // The items' handlers are attached with the window's other entries
  // (Launchers.cpp).
  for (int i = 0; i < 4; ++i) qualifiers_[i] = item(kQualifiers[i]);

  QTableView* view = grid();
  if (!view) return;
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view, &QTableView::customContextMenuRequested, this, [this, view](const QPoint& pos) {
    // A right-click makes its row the current one before the menu reads it;
    // below the last row it is on no row, and the menu would offer the row
    // chosen earlier as if it had been clicked.
    QModelIndex index = view->indexAt(pos);
    if (!index.isValid()) return;
    view->setCurrentIndex(index);
    ShowResultMenu();
  });
  connect(view, &QTableView::doubleClicked, this, [this](const QModelIndex&) { EvaluateGridRow(); });
  // The generate button sets the grid's model before the menu attaches, and
  // nothing replaces it afterwards.
  followSelectionModel();
}

QAction* ResultGridMenu::item(const char* designedCaption) const {
  return menu_->findChild<QAction*>(QString::fromUtf8(designedCaption));
}

std::filesystem::path ResultGridMenu::ExportFilePath() {
  return globals().dataDirectory / "本次生成的所有公司名.txt";
}

QTableView* ResultGridMenu::grid() const { return window_->control<QTableView>("超级列表框1"); }

int ResultGridMenu::currentRow() const {
  QTableView* view = grid();
  if (!view || !view->model()) return -1;
  QModelIndex current = view->currentIndex();
  return current.isValid() ? current.row() : -1;
}

std::string ResultGridMenu::cell(int row, int column) const {
  QTableView* view = grid();
  if (row < 0 || !view || !view->model() || row >= view->model()->rowCount()) return {};
  // The result model keeps the rows as GBK: read them from there, byte for
  // byte, rather than back from the text shown.
  if (auto* results = qobject_cast<engine::ResultModel*>(view->model()))
    return engine::ResultCellText(results->row(row), column);
  return platform::FromQ(view->model()->index(row, column).data().toString());
}

void ResultGridMenu::followSelectionModel() {
  QTableView* view = grid();
  QItemSelectionModel* selection = view ? view->selectionModel() : nullptr;
  if (selection == followed_) return;
  followed_ = selection;
  if (selection)
    connect(selection, &QItemSelectionModel::currentRowChanged, this, [this] { ShowGridHint(); });
}

void ResultGridMenu::ShowGridHint() {
  if (currentRow() < 0) return;
  window_->setStatusPart(
      1, QStringLiteral("提示:在表格上点击鼠标右键有操作菜单；直接双击表格一行可以查看评分。"));
}

bool ResultGridMenu::PrepareResultMenu() {
  const int row = currentRow();
  const std::string full = cell(row, kFullNameColumn);
  if (full.empty()) return false;

  Globals& g = globals();
  item("复制公司名")->setText(QStringLiteral("复制公司名[") + Caption(full) + "]");
  item("测算公司名")->setText(QStringLiteral("测算公司名[") + Caption(full) + "]");
  g.selectedFullName = full;
  g.selectedName = cell(row, kNameColumn);
  item("公司重名查询")->setText(QStringLiteral("公司重名查询[") + Caption(g.selectedName) + "]");

  const std::string& name = g.selectedName;
  const size_t count = name.size() == 4 ? 2 : name.size() == 6 ? 3 : name.size() == 8 ? 4 : 0;
  const std::vector<std::string> characters = gbk::SplitPairs(name);
  // Four characters take the shorter wording throughout.
  const QString wording = count == 4 ? QStringLiteral("]设为限定词") : QStringLiteral("]设置为限定词");
  for (size_t i = 0; i < 4; ++i) {
    g.gridMenuCharacter[i] = i < count ? characters[i] : std::string();
    if (i < count)
      qualifiers_[i]->setText(QStringLiteral("将[") + Caption(characters[i]) + wording +
                              QString::number(i + 1));
    // A name of another length has no characters to offer: an item left
    // from an earlier name would only empty a box.
    qualifiers_[i]->setVisible(i < count);
  }
  g.duplicateQueryName = name;
  item("将E加入自选列表")->setText(QStringLiteral("将[") + Caption(name) + "]加入自选列表");
  return true;
}

void ResultGridMenu::ShowResultMenu() {
  if (PrepareResultMenu()) menu_->popup(QCursor::pos());
}

void ResultGridMenu::EvaluateGridRow() {
  Globals& g = globals();
  g.evaluationPrefix = platform::FromQ(window_->control<QLineEdit>("编辑框1")->text());
  g.evaluationSuffix = platform::FromQ(window_->control<QLineEdit>("编辑框2")->text());
  const int row = currentRow();
  g.selectedFullName = cell(row, kFullNameColumn);
  g.selectedName = cell(row, kNameColumn);
  if (g.selectedFullName.empty()) return;
  analysis::NameEvaluationWindow::Open(window_);
}

void ResultGridMenu::EvaluateSelectedName() {
  Globals& g = globals();
  g.evaluationPrefix = platform::FromQ(window_->control<QLineEdit>("编辑框1")->text());
  g.evaluationSuffix = platform::FromQ(window_->control<QLineEdit>("编辑框2")->text());
  g.selectedFullName = cell(currentRow(), kFullNameColumn);
  // The name is what remains of the full name without the prefix and suffix
  // as they stand now; an empty box removes nothing.
  g.selectedName =
      gbk::ReplaceAll(gbk::ReplaceAll(g.selectedFullName, g.evaluationPrefix, ""), g.evaluationSuffix, "");
  if (g.selectedFullName.empty()) return;
  analysis::NameEvaluationWindow::Open(window_);
}

void ResultGridMenu::CopySelectedName() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(platform::Q(cell(currentRow(), kFullNameColumn)));
}

void ResultGridMenu::SetQualifierWord(int index) {
  if (index < 0 || index > 3) return;
  const QString box = QStringLiteral("编辑框A%1").arg(index + 1);
  if (auto* edit = window_->findChild<QLineEdit*>(box))
    edit->setText(platform::Q(globals().gridMenuCharacter[index]));
}

void ResultGridMenu::AddSelectedToFavourites() {
  // The list of the prefix and suffix as they stand now.
  const std::filesystem::path file = analysis::FavouritesFilePath(
      analysis::PreparePageDirectory(), platform::FromQ(window_->control<QLineEdit>("编辑框1")->text()),
      platform::FromQ(window_->control<QLineEdit>("编辑框2")->text()));
  const std::string& name = globals().selectedName;
  const analysis::FavouritesChange change = analysis::AddNameToFavourites(file, name);
  if (analysis::ReportFavouritesFailure(change, file)) return;
  if (change == analysis::FavouritesChange::Done)
    window_->setStatusPart(1, platform::Q(name) + QStringLiteral("-加入自选列表成功"));
}

void ResultGridMenu::ExportAllNames() {
  const std::filesystem::path path = ExportFilePath();
  if (!platform::WriteFileAtomically(path, globals().generatedFullNames.Get())) {
    // Opening the file now would show an older list as if it were this one.
    platform::ShowMessageBox(
        gbk::G("导出失败，无法写入文件：") + gbk::FromUtf8(path.string()) + platform::WriteFailureNote(path),
        gbk::G("提示"), platform::kOkInformation);
    return;
  }
  platform::LaunchProgram(platform::ExternalProgram::TextEditor, path.string());
}

}  // namespace frame
