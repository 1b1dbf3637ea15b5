#include "platform/ui/BrowserBox.h"

#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
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

}  // namespace

BrowserPage::BrowserPage(BrowserBox* box) : QWebEnginePage(box), box_(box) {}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
  return box_->navigationAccepted(url, isMainFrame);
}

BrowserBox::BrowserBox(QWidget* parent) : QWebEngineView(parent) {
  setPage(new BrowserPage(this));
  connect(this, &QWebEngineView::printFinished, this, [this](bool) { printing_ = false; });
}

BrowserBox::~BrowserBox() = default;

std::string BrowserBox::UrlToGbk(const QUrl& url) {
  QByteArray head = QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveQuery | QUrl::RemoveFragment));
  std::string out = gbk::FromUtf8(std::string_view(head.constData(), static_cast<size_t>(head.size())));
  if (url.hasQuery()) {
    QByteArray query = QByteArray::fromPercentEncoding(url.query(QUrl::FullyEncoded).toLatin1());
    out += '?';
    out.append(query.constData(), static_cast<size_t>(query.size()));
  }
  if (url.hasFragment()) {
    QByteArray fragment = QByteArray::fromPercentEncoding(url.fragment(QUrl::FullyEncoded).toLatin1());
    out += '#';
    out += gbk::FromUtf8(std::string_view(fragment.constData(), static_cast<size_t>(fragment.size())));
  }
  return out;
}

bool BrowserBox::navigationAccepted(const QUrl& url, bool isMainFrame) {
  bool cancel = false;
  emit aboutToNavigate(UrlToGbk(url), &cancel);
  if (cancel) return false;
  // Pages the program writes itself never need scripts; the site's pages may.
  if (isMainFrame)
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !url.isLocalFile());
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
  setUrl(url);
}

void BrowserBox::openFile(const std::filesystem::path& file) {
  page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  setUrl(QUrl::fromLocalFile(PathToQ(file)));
}

void BrowserBox::showPage(const std::string& htmlGbk) {
  page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  setContent(QByteArray(htmlGbk.data(), static_cast<qsizetype>(htmlGbk.size())),
             QStringLiteral("text/html;charset=GBK"));
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
