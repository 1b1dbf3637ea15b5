#include "platform/ui/BrowserBox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include "platform/gbk.h"
#include "platform/ui/qt_bridge.h"

namespace platform {

namespace {

// The GBK bytes of a query travel as %XX; the characters that give a query
// its structure, and escapes already made, stay as they are.
QByteArray EncodeQueryBytes(std::string_view bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toPercentEncoding("!$&'()*+,;=:@/?%");
}

bool HasScheme(std::string_view address) {
  for (std::string_view s : {"http:", "https:", "file:", "about:", "data:"}) {
    if (address.size() >= s.size() && gbk::AsciiLower(address.substr(0, s.size())) == s) return true;
  }
  return false;
}

bool IsWebUrl(const QUrl& url) {
  return url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https");
}

// The notices' common frame: plain, in the program's colours, no scripts.
QString NoticePage(const QString& title, const QString& body) {
  return QStringLiteral(
             "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
             "<style>body{font-family:sans-serif;font-size:14px;color:#5a462a;background:#fbf6ea;margin:24px}"
             "h3{color:#b04a2a}code{background:#f0e6d2;padding:0 3px}"
             "p.addr{color:#8a7a60;word-break:break-all;font-size:12px}</style></head>"
             "<body><h3>%1</h3>%2</body></html>")
      .arg(title, body);
}

// A load stopped for the next one (ERR_ABORTED) is no failure.
constexpr int kAborted = -3;

// Chromium's network error numbers, the common ones by name.
QString NetworkFailure(int code) {
  switch (code) {
    case -7:
    case -118:
      return QStringLiteral("连接网站超时");
    case -100:
    case -101:
    case -324:
      return QStringLiteral("网站中断了连接");
    case -102:
      return QStringLiteral("网站拒绝连接");
    case -105:
    case -137:
      return QStringLiteral("找不到网站的服务器(网址无法解析)");
    case -106:
      return QStringLiteral("网络没有连接");
    case -104:
    case -109:
      return QStringLiteral("无法连接到网站");
    default:
      break;
  }
  if (code <= -200 && code > -300) return QStringLiteral("网站的安全证书无效");
  return QStringLiteral("网页无法打开(错误 %1)").arg(code);
}

QString FailureReason(QWebEngineLoadingInfo::ErrorDomain domain, int code) {
  switch (domain) {
    case QWebEngineLoadingInfo::HttpStatusCodeDomain:
      if (code == 404 || code == 410) return QStringLiteral("网站上没有这个页面(状态 %1)").arg(code);
      return QStringLiteral("网站返回错误(状态 %1)").arg(code);
    case QWebEngineLoadingInfo::CertificateErrorDomain:
      return QStringLiteral("网站的安全证书无效");
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
    case QWebEngineLoadingInfo::InternalErrorDomain:
    case QWebEngineLoadingInfo::HttpErrorDomain:
    case QWebEngineLoadingInfo::DnsErrorDomain:
      return NetworkFailure(code);
    default:
      return QStringLiteral("未知(错误 %1)").arg(code);
  }
}

// The query as the raw bytes the page wrote, GBK included.
std::string DecodedQuery(const QUrl& url) {
  QByteArray query = QByteArray::fromPercentEncoding(url.query(QUrl::FullyEncoded).toLatin1());
  return std::string(query.constData(), static_cast<size_t>(query.size()));
}

}  // namespace

BrowserPage::BrowserPage(BrowserBox* box) : QWebEnginePage(box), box_(box) {}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
  return box_->navigationAccepted(url, isMainFrame);
}

BrowserBox::BrowserBox(QWidget* parent) : QWebEngineView(parent) {
  setPage(new BrowserPage(this));
  // Failed loads show our notice instead of the engine's page.
  page()->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  connect(this, &QWebEngineView::printFinished, this, [this](bool) { printing_ = false; });
  connect(page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus) noticePending_ = false;
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus || !IsWebUrl(info.url())) return;
    if (info.errorDomain() == QWebEngineLoadingInfo::InternalErrorDomain && info.errorCode() == kAborted) return;
    if (info.errorDomain() == QWebEngineLoadingInfo::ConnectionErrorDomain && info.errorCode() == kAborted) return;
    showFailureNotice(FailedLoadNotice(info.url(), info.errorDomain(), info.errorCode()), info.url());
  });
  // The fresh history starts once the page asked for has taken the place of
  // the last one. An earlier page still loading may arrive after the new one
  // was asked for; it does not count.
  connect(this, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
    if (!clearHistory_ || url != clearHistoryFor_) return;
    clearHistory_ = false;
    history()->clear();
  });

  // The history keys of a browser, on site pages only, like the menu.
  const struct {
    QKeySequence::StandardKey keys;
    QWebEnginePage::WebAction action;
  } kKeys[] = {{QKeySequence::Back, QWebEnginePage::Back}, {QKeySequence::Forward, QWebEnginePage::Forward}};
  for (const auto& k : kKeys) {
    auto* a = new QAction(this);
    a->setShortcuts(k.keys);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(a, &QAction::triggered, this, [this, action = k.action] {
      if (sitePages_) page()->triggerAction(action);
    });
    addAction(a);
  }
}

BrowserBox::~BrowserBox() = default;

std::string BrowserBox::UrlToGbk(const QUrl& url) {
  QByteArray head = QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveQuery | QUrl::RemoveFragment));
  std::string out = gbk::FromUtf8(std::string_view(head.constData(), static_cast<size_t>(head.size())));
  if (url.hasQuery()) out += '?' + DecodedQuery(url);
  if (url.hasFragment()) {
    QByteArray fragment = QByteArray::fromPercentEncoding(url.fragment(QUrl::FullyEncoded).toLatin1());
    out += '#';
    out += gbk::FromUtf8(std::string_view(fragment.constData(), static_cast<size_t>(fragment.size())));
  }
  return out;
}

bool BrowserBox::IsUnsetSite(const QUrl& url) {
  const QString host = url.host().toLower();
  return IsWebUrl(url) && (host == QStringLiteral("invalid") || host.endsWith(QStringLiteral(".invalid")));
}

QString BrowserBox::UnsetSiteNotice() {
  return NoticePage(QStringLiteral("此内容来自网站,暂时无法显示"),
                    QStringLiteral("<p>这里显示的内容来自澜舟雅集的网站,网站现在无法访问,所以暂时不能显示。</p>"
                                   "<p>取名、测算等功能不需要网站,可以照常使用。</p>"));
}

QString BrowserBox::FailedLoadNotice(const QUrl& url, QWebEngineLoadingInfo::ErrorDomain domain, int code) {
  const QString address = url.toString(QUrl::FullyEncoded).toHtmlEscaped();
  const bool answered = domain == QWebEngineLoadingInfo::HttpStatusCodeDomain;
  return NoticePage(QStringLiteral("网页打开失败"),
                    QStringLiteral("<p>无法从网站打开此页面,%1</p>"
                                   "<p>%2 <a href=\"%3\">点击这里重试</a>。</p>"
                                   "<p class=\"addr\">页面地址:%4<br>原因:%5</p>")
                        .arg(answered ? QStringLiteral("网站上没有这个页面或网站暂时出错。")
                                      : QStringLiteral("可能是网络没有连接或网站暂时无法访问。"),
                             answered ? QStringLiteral("请稍后") : QStringLiteral("请检查网络连接后"), address,
                             url.toDisplayString().toHtmlEscaped(), FailureReason(domain, code)));
}

void BrowserBox::showNotice(const QString& html, const QUrl& url) {
  page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  // With the page's address as base, the box still reports the address it
  // was asked for.
  noticePending_ = true;
  noticeUrl_ = url;
  setHtml(html, url);
}

void BrowserBox::showFailureNotice(const QString& html, const QUrl& url) {
  // A site that answered with an error leaves its page in the history: the
  // notice is written over it from the program's own script world, where
  // the page's scripts and settings play no part. A site that could not be
  // reached leaves the page before current: the notice comes after it.
  if (this->url() != url) {
    showNotice(html, url);
    return;
  }
  const QString text = QString::fromUtf8(QJsonDocument(QJsonArray{html}).toJson(QJsonDocument::Compact));
  page()->runJavaScript(
      QStringLiteral("document.open();document.write(%1[0]);document.close();").arg(text),
      QWebEngineScript::ApplicationWorld);
}

void BrowserBox::clearHistoryAfterNextLoad() { clearHistory_ = true; }

QMenu* BrowserBox::buildContextMenu(const QWebEngineContextMenuRequest& request) {
  using Flag = QWebEngineContextMenuRequest::EditFlag;
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("网页菜单"));
  auto add = [this, menu](const char* caption, QWebEnginePage::WebAction action, bool enabled) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setEnabled(enabled);
    connect(a, &QAction::triggered, this, [this, action] { page()->triggerAction(action); });
  };
  const auto flags = request.editFlags();
  if (request.isContentEditable()) {
    add("撤销", QWebEnginePage::Undo, flags & Flag::CanUndo);
    add("重做", QWebEnginePage::Redo, flags & Flag::CanRedo);
    menu->addSeparator();
    add("剪切", QWebEnginePage::Cut, flags & Flag::CanCut);
    add("复制", QWebEnginePage::Copy, flags & Flag::CanCopy);
    add("粘贴", QWebEnginePage::Paste, flags & Flag::CanPaste);
    menu->addSeparator();
    add("全选", QWebEnginePage::SelectAll, flags & Flag::CanSelectAll);
    return menu;
  }
  if (sitePages_) {
    add("后退", QWebEnginePage::Back, history()->canGoBack());
    add("前进", QWebEnginePage::Forward, history()->canGoForward());
    add("刷新", QWebEnginePage::Reload, true);
    if (request.linkUrl().isValid()) {
      menu->addSeparator();
      add("复制链接地址", QWebEnginePage::CopyLinkToClipboard, true);
    }
    if (request.mediaType() == QWebEngineContextMenuRequest::MediaTypeImage && request.mediaUrl().isValid()) {
      menu->addSeparator();
      add("复制图片", QWebEnginePage::CopyImageToClipboard, true);
      add("复制图片地址", QWebEnginePage::CopyImageUrlToClipboard, true);
    }
  }
  if (!request.selectedText().isEmpty()) {
    if (!menu->isEmpty()) menu->addSeparator();
    add("复制", QWebEnginePage::Copy, true);
  }
  if (menu->isEmpty()) {
    delete menu;
    return nullptr;
  }
  return menu;
}

void BrowserBox::contextMenuEvent(QContextMenuEvent* event) {
  QWebEngineContextMenuRequest* request = lastContextMenuRequest();
  QMenu* menu = request ? buildContextMenu(*request) : nullptr;
  if (!menu) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

NavigationTarget BrowserBox::TargetOf(const QUrl& url) {
  NavigationTarget target;
  target.addressGbk = UrlToGbk(url);
  target.localFile = url.isLocalFile();
  target.fileNameGbk = FromQ(url.fileName(QUrl::FullyDecoded));
  if (url.hasQuery()) target.queryGbk = DecodedQuery(url);
  return target;
}

bool BrowserBox::navigationAccepted(const QUrl& url, bool isMainFrame) {
  // Our own notice comes as a data address or under the address it stands
  // for: nothing for the window to decide on.
  if (noticePending_ && (url.scheme() == QStringLiteral("data") || url == noticeUrl_)) return true;
  if (isMainFrame && IsUnsetSite(url)) {
    // Never ask the network for a name that cannot resolve; the notice is
    // set once this request has been answered.
    QTimer::singleShot(0, this, [this, url] { showNotice(UnsetSiteNotice(), url); });
    return false;
  }
  bool cancel = false;
  emit aboutToNavigate(UrlToGbk(url), &cancel);
  if (cancel) return false;
  emit aboutToNavigateTo(TargetOf(url), &cancel);
  if (cancel) return false;
  // Pages the program writes itself never need scripts; the site's pages may.
  if (isMainFrame)
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, IsWebUrl(url));
  return true;
}

void BrowserBox::openAddress(const std::string& addressGbk) {
  if (!HasScheme(addressGbk)) {
    openFile(std::filesystem::path(gbk::ToUtf8(addressGbk)));
    return;
  }
  std::string_view address = addressGbk;
  size_t q = address.find('?');
  QUrl url(Q(address.substr(0, q)));
  if (q != std::string_view::npos) url.setQuery(QString::fromLatin1(EncodeQueryBytes(address.substr(q + 1))));
  page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !url.isLocalFile());
  sitePages_ = IsWebUrl(url);
  if (clearHistory_) clearHistoryFor_ = url;
  setUrl(url);
}

void BrowserBox::openFile(const std::filesystem::path& file) {
  page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  sitePages_ = false;
  const QUrl url = QUrl::fromLocalFile(PathToQ(file));
  if (clearHistory_) clearHistoryFor_ = url;
  setUrl(url);
}

void BrowserBox::showPage(const std::string& htmlGbk, const std::filesystem::path& file) {
  page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  sitePages_ = false;
  setContent(QByteArray(htmlGbk.data(), static_cast<qsizetype>(htmlGbk.size())),
             QStringLiteral("text/html;charset=GBK"), file.empty() ? QUrl() : QUrl::fromLocalFile(PathToQ(file)));
}

std::string BrowserBox::addressGbk() const { return UrlToGbk(url()); }

void BrowserBox::printPage() {
  if (printing_) return;
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  printing_ = true;
  print(printer_.get());
}

void BrowserBox::printPreview() {
  if (printing_) return;
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintPreviewDialog preview(printer_.get(), this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    // The preview paints synchronously; the page prints asynchronously, so
    // wait here for it to finish.
    QEventLoop wait;
    auto done = connect(this, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
    printing_ = true;
    print(printer);
    wait.exec();
    disconnect(done);
  });
  preview.exec();
}

}  // namespace platform
