#pragma once
// The browser box of every window that shows pages: the maker's site or a
// page the program generated. Before each navigation it asks its window,
// which may carry out an in-page command and cancel the navigation.
//
// Addresses travel as GBK text. A link in a generated page carries its value
// percent-encoded as GBK bytes; the box decodes the query back to those
// bytes, so the value the window reads is exactly the one written.
// Generated (local) pages run without JavaScript.
//
// A site page that cannot be shown never leaves the engine's own (English)
// error page: an address on the stand-in site of an unconfigured program
// shows a Chinese notice that the site is not available, and a page that
// fails to load shows a Chinese notice with a link to try again. Going back
// from a notice leaves it for the page before.
//
// The right-click menu is the box's own, in Chinese: on a site page the
// history (also on Alt+Left and Alt+Right) and reload, and what the pointer
// is on (a link, a picture, a selection, a text field); on a generated page
// only copying, since the history and a reload would show a page file that
// another window may have rewritten since.
#include <QPrinter>
#include <QUrl>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <memory>
#include <string>

class QMenu;

namespace platform {

class BrowserBox;

// Where a navigation leads, as a window that carries out in-page commands
// needs it: a command is told by the file name of a local page, its value
// by the query alone, so no folder name can pass for either.
struct NavigationTarget {
  std::string addressGbk;  // the whole address, as aboutToNavigate gives it
  bool localFile = false;
  std::string fileNameGbk;  // last segment of the path, decoded
  std::string queryGbk;     // the query decoded to its raw bytes
};

// The page that reports every navigation request to its box first.
class BrowserPage : public QWebEnginePage {
  Q_OBJECT
 public:
  explicit BrowserPage(BrowserBox* box);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  BrowserBox* box_;
};

class BrowserBox : public QWebEngineView {
  Q_OBJECT
 public:
  explicit BrowserBox(QWidget* parent = nullptr);
  ~BrowserBox() override;

  // Opens a site address (GBK text; "http:", "https:" or "file:" address).
  // A text without a scheme is taken as a local file path.
  void openAddress(const std::string& addressGbk);
  // Opens a page the program generated, without JavaScript.
  void openFile(const std::filesystem::path& file);
  // Shows a generated page (GBK HTML) straight from memory, without
  // JavaScript, for when its file could not be written or may be rewritten
  // for another window before a reload. With `file`, the
  // page stands at that file's address, so its relative links and pictures
  // resolve beside it.
  void showPage(const std::string& htmlGbk, const std::filesystem::path& file = {});

  // The history that exists once the next page has loaded starts with that
  // page: for a window that shows another opener's page in the same box.
  void clearHistoryAfterNextLoad();

  // The current address as GBK text.
  std::string addressGbk() const;

  // Printing goes through the system print dialog; the preview paints the
  // page into the preview dialog.
  void printPage();
  void printPreview();

  // The address as the window sees it: the path part decoded (UTF-8 file
  // names become GBK), the query decoded to its raw bytes.
  static std::string UrlToGbk(const QUrl& url);
  static NavigationTarget TargetOf(const QUrl& url);

  // Whether `url` is on the stand-in site the program uses while no site
  // address is set: its host is under the reserved name ".invalid", which
  // never resolves.
  static bool IsUnsetSite(const QUrl& url);

  // The notices, as HTML (UTF-8): while no site is set, and for the
  // address whose load failed.
  static QString UnsetSiteNotice();
  // The engine's own error text is English and carries markup of its error
  // page, so the notice names the failure itself, from its kind and code.
  static QString FailedLoadNotice(const QUrl& url, QWebEngineLoadingInfo::ErrorDomain domain, int code);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 signals:
  // Emitted before every navigation, on the GUI thread; a receiver sets
  // *cancel to keep the box where it is. Connect directly.
  void aboutToNavigate(const std::string& addressGbk, bool* cancel);
  // The same request with its parts apart; emitted after aboutToNavigate
  // when that did not cancel.
  void aboutToNavigateTo(const platform::NavigationTarget& target, bool* cancel);

 private:
  friend class BrowserPage;
  bool navigationAccepted(const QUrl& url, bool isMainFrame);
  void showNotice(const QString& html, const QUrl& url);
  // Shows the notice for the failed load of `url` so that going back leaves
  // it for the page before.
  void showFailureNotice(const QString& html, const QUrl& url);
  // The menu for what the user right-clicked; nullptr when it has no entry.
  QMenu* buildContextMenu(const QWebEngineContextMenuRequest& request);

  bool noticePending_ = false;  // a notice is loading into the page
  QUrl noticeUrl_;              // the address it stands for
  std::unique_ptr<QPrinter> printer_;
  bool printing_ = false;
  bool clearHistory_ = false;
  QUrl clearHistoryFor_;
  // Whether the box was last asked for a site page rather than a page the
  // program generated; its history, notices included, holds pages of
  // that kind.
  bool sitePages_ = false;
};

}  // namespace platform
