#pragma once
// A small HTTP/1.1 server on 127.0.0.1 that stands in for the maker's site
// in tests. It listens on an ephemeral port, answers one connection at a
// time on one thread, never contacts any other address, and stops by itself
// when its lifetime runs out or when it is destroyed.
//
//   TestHttpServer server;
//   server.Serve("/ver/cname.txt", body);             // 200 with these bytes
//   server.Serve("/slow", {.body = "x", .delay = 10s}); // a stalled site
//   server.Serve("/big", {.body = "x", .endless = true}); // never ends
//   setenv("LANZHOU_SITE_URL", server.BaseUrl().c_str(), 1);
//   ... run the code under test ...
//   server.Requests()[0].target == "/ver/cname.txt"
//
// A path that was not served answers 404 with a small HTML page. Every
// request is recorded before it is answered.
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "frame/text_helpers.h"
#include "support/core/test_home.h"

namespace testing_support {

struct TestHttpResponse {
  int status = 200;
  std::string body;
  std::string contentType = "text/plain";
  // Waits this long after reading the request before answering (less when
  // the server stops or the client hangs up): a stalled site.
  std::chrono::milliseconds delay{0};
  // When not empty, sent instead of a built response, byte for byte (status
  // line and headers included), e.g. a truncated or malformed answer.
  std::string raw;
  // The body is sent again and again, without a Content-Length, until the
  // client hangs up or the server stops: an endless answer.
  bool endless = false;
  // The body goes one byte at a time, this long apart: a dripping site.
  std::chrono::milliseconds drip{0};
};

struct TestHttpRequest {
  std::string method;                                        // "GET"
  std::string target;                                        // as sent: path and query, percent-encoding kept
  std::string version;                                       // "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> headers;  // in order, as sent

  // The value of the first header with this name (ASCII case ignored), or
  // the empty text.
  std::string Header(std::string_view name) const;
  bool HasHeader(std::string_view name) const;
};

class TestHttpServer {
 public:
  explicit TestHttpServer(std::chrono::milliseconds lifetime = std::chrono::seconds(120));
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  // What a request for `target` gets. A target is matched exactly first,
  // then by its path without the query.
  void Serve(std::string target, std::string body, int status = 200);
  void Serve(std::string target, TestHttpResponse response);

  // "http://127.0.0.1:<port>/"; empty when the server could not start.
  std::string BaseUrl() const;
  int port() const { return port_; }

  std::vector<TestHttpRequest> Requests() const;
  void ClearRequests();

  // Stops listening and ends the server thread; any delayed answer is cut
  // short. Called by the destructor.
  void Stop();

  // A loopback port on which nothing listens (checked at the time of the
  // call), for tests of an unreachable site.
  static int ClosedPort();

  // Decodes %XX sequences (bytes as they are, no '+' rule).
  static std::string PercentDecode(std::string_view text);

 private:
  void Run(std::chrono::steady_clock::time_point deadline);
  void Handle(int client, std::chrono::steady_clock::time_point deadline);
  // Waits until `until`; returns false when the server stops or the client
  // hangs up first.
  bool WaitUntil(std::chrono::steady_clock::time_point until, int client);
  // Sends while the server runs and the client reads; false when either
  // stops first.
  bool SendWhileRunning(int client, std::string_view bytes, std::chrono::steady_clock::time_point deadline);
  void SendBodyOverTime(int client, const TestHttpResponse& response,
                        std::chrono::steady_clock::time_point deadline);
  TestHttpResponse Lookup(const std::string& target) const;

  int listener_ = -1;
  int wakeRead_ = -1, wakeWrite_ = -1;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, TestHttpResponse> responses_;
  std::vector<TestHttpRequest> requests_;
  std::thread thread_;
};

// Points the program at a test site (LANZHOU_SITE_URL) for the lifetime of
// the object, then restores what was there before.
class ScopedSiteUrl : public ScopedEnv {
 public:
  explicit ScopedSiteUrl(const std::string& url) : ScopedEnv(frame::kSiteUrlVariable, url.c_str()) {}
};

}  // namespace testing_support
