#pragma once
// The program's one HTTP operation: a GET whose body is taken as bytes.
//
// It blocks its caller, so it belongs on worker threads only. A site that
// cannot be reached, stalls or breaks off mid-answer gives an empty body
// within the timeouts below; a stop request ends the transfer at once.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

namespace online {

struct HttpOptions {
  // Name lookup and connection together.
  std::chrono::milliseconds connectTimeout{5000};
  // The whole transfer, connection included.
  std::chrono::milliseconds totalTimeout{20000};
  // A body larger than this is treated as a failed transfer, so a wrong
  // address cannot fill the memory.
  std::size_t maxBodyBytes = 16u << 20;
  // Redirects are followed (http and https only), at most this many.
  long maxRedirects = 5;
  // Called on the fetching thread as the body arrives: bytes received and
  // bytes expected (0 while unknown).
  std::function<void(std::int64_t received, std::int64_t expected)> progress;
  // When set, the body is handed over piece by piece as it arrives instead
  // of being kept (the result's body stays empty); returning false fails the
  // transfer. `maxBodyBytes` still applies.
  std::function<bool(std::string_view piece)> receive;
  // A transfer that moves fewer than `lowSpeedBytesPerSecond` for
  // `lowSpeedTime` fails: a site that stalls or drips is given up. Zero
  // turns the check off.
  long lowSpeedBytesPerSecond = 0;
  std::chrono::seconds lowSpeedTime{0};
};

// What one GET brought back: whether the transfer completed, the final
// status (after redirects; 0 when no answer came) and the body.
struct HttpResult {
  bool transferred = false;
  long status = 0;
  std::string body;
  // The transfer failed because the body was larger than `maxBodyBytes`.
  bool tooLarge = false;
  // A completed transfer with a 2xx status: the body is the site's answer.
  bool succeeded() const { return transferred && status >= 200 && status < 300; }
};

// One GET as HttpGet below makes it, reporting the outcome besides the body
// (the body of an error status is kept; a failed transfer has none).
HttpResult HttpFetch(std::string_view address, std::stop_token stop = {}, const HttpOptions& options = {});

// The body of an HTTP GET of `address`, byte for byte, whatever the status
// (an error page is a body like any other), or the empty text when the
// transfer fails, times out or is stopped. The request carries
// "Content-Type: application/x-www-form-urlencoded" and "Connection: close".
//
// `address` is a GBK text; bytes that cannot stand in an address as they are
// (two-byte characters, blanks, control bytes) are sent percent-encoded,
// which the site decodes to the same bytes. Only http and https are fetched.
std::string HttpGet(std::string_view address, std::stop_token stop = {}, const HttpOptions& options = {});

// A received body as text: everything before its first zero byte.
std::string_view BodyText(std::string_view body);

}  // namespace online
