#pragma once
// The page viewer "HistoryTodayWindow": one site page in a browser box under
// a small navigation tool bar. One viewer serves every opener: a second
// opener gives it a new title and home page and brings it forward.
#include <QWidget>
#include <string>
#include <string_view>

namespace platform {
class BrowserBox;
}

namespace online {

class PageViewerWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDesignedWidth = 636;
  static constexpr int kDesignedHeight = 558;

  // Reads the hand-over values PageTitle and PageUrl and opens the page.
  explicit PageViewerWindow(QWidget* parent = nullptr);

  // Opens the viewer on the hand-over values: the open viewer when there is
  // one, else a new one (deleted when closed). Shown maximised.
  static PageViewerWindow* Open(QWidget* parent);

  // The open viewer, if any.
  static PageViewerWindow* Current();

  // This viewer's own home page (GBK), where "返回首页" leads.
  const std::string& homeAddress() const { return home_; }

  // Tool bar dispatch by the button's caption.
  void onToolbarClicked(const QString& caption);

 private:
  void showHandedOverPage();

  platform::BrowserBox* browser_ = nullptr;
  std::string home_;
};

// Openers: set PageTitle and PageUrl, then open the viewer with `parent`
// (the main window).
void OpenReferencePage(QWidget* parent, std::string_view argumentGbk);
void OpenPerpetualCalendar(QWidget* parent);
void OpenPage(QWidget* parent, std::string titleGbk, std::string urlGbk);

}  // namespace online
