#include "online/http.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/web_address.h"

namespace online {
namespace {

void InitCurlOnce() {
  // curl_global_init is not thread-safe itself, and the first requests may
  // come from two workers at once.
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
  std::string body;
  std::size_t limit = 0;
  bool tooLarge = false;
  const std::function<void(std::int64_t, std::int64_t)>* progress = nullptr;
  const std::function<bool(std::string_view)>* receive = nullptr;
  std::size_t received = 0;
};

int ReportProgress(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  (*t->progress)(static_cast<std::int64_t>(received), static_cast<std::int64_t>(expected));
  return 0;
}

size_t CollectBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  size_t n = size * count;
  if (t->received + n > t->limit) {
    t->tooLarge = true;
    return 0;  // makes curl give up with a write error
  }
  t->received += n;
  if (t->receive) return (*t->receive)(std::string_view(data, n)) ? n : 0;
  t->body.append(data, n);
  return n;
}

struct EasyDeleter {
  void operator()(CURL* e) const { curl_easy_cleanup(e); }
};
struct MultiDeleter {
  void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

long ToCurlMs(std::chrono::milliseconds ms) { return ms.count() > 0 ? static_cast<long>(ms.count()) : 1L; }

}  // namespace

std::string_view BodyText(std::string_view body) {
  size_t zero = body.find('\0');
  return zero == std::string_view::npos ? body : body.substr(0, zero);
}

std::string HttpGet(std::string_view address, std::stop_token stop, const HttpOptions& options) {
  return HttpFetch(address, stop, options).body;
}

HttpResult HttpFetch(std::string_view address, std::stop_token stop, const HttpOptions& options) {
  if (address.empty() || stop.stop_requested()) return {};
  InitCurlOnce();

  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!easy || !multi) return {};

  curl_slist* raw = nullptr;
  raw = curl_slist_append(raw, "Content-Type: application/x-www-form-urlencoded");
  if (raw) raw = curl_slist_append(raw, "Connection: close");
  std::unique_ptr<curl_slist, ListDeleter> headers(raw);
  if (!headers) return {};

  Transfer transfer;
  transfer.limit = options.maxBodyBytes;
  const std::string url = platform::EncodeAddressForRequest(address);

  CURL* e = easy.get();
  curl_easy_setopt(e, CURLOPT_URL, url.c_str());
  curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
  // Addresses come from the site's own answers too: never let one reach a
  // local file or another protocol.
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, options.maxRedirects > 0 ? 1L : 0L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, options.maxRedirects);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, ToCurlMs(options.connectTimeout));
  curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, ToCurlMs(options.totalTimeout));
  // Signals cannot be used for timeouts on a worker thread.
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  // A body announced as too large is refused before any of it arrives.
  curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBodyBytes));
  if (options.lowSpeedBytesPerSecond > 0 && options.lowSpeedTime.count() > 0) {
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, options.lowSpeedBytesPerSecond);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, static_cast<long>(options.lowSpeedTime.count()));
  }
  if (options.receive) transfer.receive = &options.receive;
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
  if (options.progress) {
    transfer.progress = &options.progress;
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, ReportProgress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  }

  if (curl_multi_add_handle(multi.get(), e) != CURLM_OK) return {};

  CURLcode result = CURLE_OK;
  bool finished = false;
  {
    // Wakes the wait below the moment a stop is asked for; the callback is
    // gone (and waited for) before the multi handle is cleaned up.
    CURLM* m = multi.get();
    std::stop_callback wake(stop, [m] { curl_multi_wakeup(m); });
    for (;;) {
      int running = 0;
      if (curl_multi_perform(m, &running) != CURLM_OK) break;
      int queued = 0;
      while (CURLMsg* msg = curl_multi_info_read(m, &queued)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == e) {
          result = msg->data.result;
          finished = true;
        }
      }
      if (finished || running == 0) break;
      if (stop.stop_requested()) break;
      if (curl_multi_poll(m, nullptr, 0, 1000, nullptr) != CURLM_OK) break;
      if (stop.stop_requested()) break;
    }
  }
  curl_multi_remove_handle(multi.get(), e);

  if (!finished || result != CURLE_OK || transfer.tooLarge) {
    HttpResult failed;
    failed.tooLarge = transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED;
    return failed;
  }
  HttpResult answer;
  answer.transferred = true;
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &answer.status);
  answer.body = std::move(transfer.body);
  return answer;
}

}  // namespace online
