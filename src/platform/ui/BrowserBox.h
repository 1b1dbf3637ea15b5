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
// shows a Chinese notice on how to set the site's address, and a page that
// fails to load shows a Chinese notice with a link to try again.
#include <QPrinter>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <filesystem>
#include <memory>
#include <string>

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

  // The notices, as HTML (UTF-8), for the address they stand in for.
  static QString UnsetSiteNotice(const QUrl& url);
  // The engine's own error text is English and carries markup of its error
  // page, so the notice names the failure itself, from its kind and code.
  static QString FailedLoadNotice(const QUrl& url, QWebEngineLoadingInfo::ErrorDomain domain, int code);

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

  bool noticePending_ = false;  // a notice is loading into the page
  QUrl noticeUrl_;              // the address it stands for
  std::unique_ptr<QPrinter> printer_;
  bool printing_ = false;
};

}  // namespace platform
