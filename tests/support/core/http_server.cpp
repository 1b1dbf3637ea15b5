#include "support/core/http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace testing_support {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxRequestBytes = 64 * 1024;
constexpr auto kReadTimeout = std::chrono::seconds(5);

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int MillisUntil(Clock::time_point until) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
  if (left <= 0) return 0;
  return static_cast<int>(std::min<long long>(left, 1000 * 1000));
}

const char* Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Status";
  }
}

bool ParseRequest(const std::string& head, TestHttpRequest* request) {
  size_t lineEnd = head.find("\r\n");
  std::string_view first = std::string_view(head).substr(0, lineEnd);
  size_t a = first.find(' ');
  size_t b = first.rfind(' ');
  if (a == std::string_view::npos || b == a) return false;
  request->method = std::string(first.substr(0, a));
  request->target = std::string(first.substr(a + 1, b - a - 1));
  request->version = std::string(first.substr(b + 1));
  size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
  while (pos < head.size()) {
    size_t end = head.find("\r\n", pos);
    if (end == std::string::npos) end = head.size();
    std::string_view line = std::string_view(head).substr(pos, end - pos);
    pos = end + 2;
    if (line.empty()) break;
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    request->headers.emplace_back(std::string(Trim(line.substr(0, colon))),
                                  std::string(Trim(line.substr(colon + 1))));
  }
  return true;
}

void SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the client has gone
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

}  // namespace

std::string TestHttpRequest::Header(std::string_view name) const {
  for (const auto& [k, v] : headers)
    if (EqualNoCase(k, name)) return v;
  return {};
}

bool TestHttpRequest::HasHeader(std::string_view name) const {
  return std::any_of(headers.begin(), headers.end(),
                     [&](const auto& h) { return EqualNoCase(h.first, name); });
}

TestHttpServer::TestHttpServer(std::chrono::milliseconds lifetime) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  wakeRead_ = pipeFds[0];
  wakeWrite_ = pipeFds[1];

  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) return;
  int one = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(listener_);
    listener_ = -1;
    return;
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this, deadline = Clock::now() + lifetime] { Run(deadline); });
}

TestHttpServer::~TestHttpServer() {
  Stop();
  if (wakeRead_ >= 0) ::close(wakeRead_);
  if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

void TestHttpServer::Stop() {
  if (wakeWrite_ >= 0) {
    char c = 1;
    [[maybe_unused]] ssize_t n = ::write(wakeWrite_, &c, 1);
  }
  if (thread_.joinable()) thread_.join();
  if (listener_ >= 0) {
    ::close(listener_);
    listener_ = -1;
  }
}

void TestHttpServer::Serve(std::string target, std::string body, int status) {
  TestHttpResponse r;
  r.status = status;
  r.body = std::move(body);
  Serve(std::move(target), std::move(r));
}

void TestHttpServer::Serve(std::string target, TestHttpResponse response) {
  std::lock_guard lock(mutex_);
  responses_[std::move(target)] = std::move(response);
}

std::string TestHttpServer::BaseUrl() const {
  if (port_ == 0) return {};
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

std::vector<TestHttpRequest> TestHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void TestHttpServer::ClearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

int TestHttpServer::ClosedPort() {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 9;  // discard: nothing listens there on a test machine
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  int port = 9;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
    port = ntohs(addr.sin_port);
  // Bound but never listening, and closed at once: connections are refused.
  ::close(fd);
  return port;
}

std::string TestHttpServer::PercentDecode(std::string_view text) {
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

bool TestHttpServer::WaitUntil(Clock::time_point until, int client) {
  for (;;) {
    // A client that gives up (hangs up) ends the wait too, so that a stalled
    // answer does not hold up the next connection.
    pollfd p[2] = {{wakeRead_, POLLIN, 0}, {client, POLLRDHUP, 0}};
    int r = ::poll(p, 2, MillisUntil(until));
    if (r < 0 && errno == EINTR) continue;
    if (r > 0) return false;  // stopped (the byte stays for every other wait) or hung up
    return true;
  }
}

bool TestHttpServer::SendWhileRunning(int client, std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    pollfd p[2] = {{client, POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
    int r = ::poll(p, 2, MillisUntil(deadline));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0 || (p[1].revents & POLLIN) || (p[0].revents & (POLLERR | POLLHUP))) return false;
    ssize_t n = ::send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void TestHttpServer::SendBodyOverTime(int client, const TestHttpResponse& response,
                                      Clock::time_point deadline) {
  std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
  head += "Content-Type: " + response.contentType + "\r\n";
  if (!response.endless) head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
  head += "Connection: close\r\n\r\n";
  if (!SendWhileRunning(client, head, deadline)) return;
  const std::string body = response.body.empty() ? std::string(64 * 1024, 'x') : response.body;
  do {
    if (response.drip.count() == 0) {
      if (!SendWhileRunning(client, body, deadline)) return;
      continue;
    }
    for (char c : body) {
      if (!WaitUntil(std::min(deadline, Clock::now() + response.drip), client) ||
          !SendWhileRunning(client, std::string_view(&c, 1), deadline))
        return;
    }
  } while (response.endless && Clock::now() < deadline);
}

TestHttpResponse TestHttpServer::Lookup(const std::string& target) const {
  std::lock_guard lock(mutex_);
  auto it = responses_.find(target);
  if (it == responses_.end()) it = responses_.find(target.substr(0, target.find('?')));
  if (it != responses_.end()) return it->second;
  TestHttpResponse notFound;
  notFound.status = 404;
  notFound.contentType = "text/html";
  notFound.body = "<html><body><h1>404 Not Found</h1></body></html>";
  return notFound;
}

void TestHttpServer::Run(Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    pollfd p[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    int r = ::poll(p, 2, MillisUntil(deadline));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0 || (p[1].revents & POLLIN)) break;
    if (!(p[0].revents & POLLIN)) continue;
    int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    Handle(client, deadline);
    ::close(client);
  }
  // Refuse whatever comes after the end.
  ::shutdown(listener_, SHUT_RDWR);
}

void TestHttpServer::Handle(int client, Clock::time_point deadline) {
  std::string head;
  auto readUntil = std::min(deadline, Clock::now() + kReadTimeout);
  while (head.find("\r\n\r\n") == std::string::npos) {
    if (head.size() > kMaxRequestBytes) return;
    pollfd p[2] = {{client, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    int r = ::poll(p, 2, MillisUntil(readUntil));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0 || (p[1].revents & POLLIN)) return;
    char buf[4096];
    ssize_t n = ::recv(client, buf, sizeof buf, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    head.append(buf, static_cast<size_t>(n));
  }

  TestHttpRequest request;
  if (!ParseRequest(head, &request)) return;
  TestHttpResponse response = Lookup(request.target);
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }

  if (response.delay.count() > 0 && !WaitUntil(std::min(deadline, Clock::now() + response.delay), client))
    return;
  if (Clock::now() >= deadline) return;

  if (!response.raw.empty()) {
    SendAll(client, response.raw);
  } else if (response.endless || response.drip.count() > 0) {
    SendBodyOverTime(client, response, deadline);
  } else {
    std::string out = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
    out += "Content-Type: " + response.contentType + "\r\n";
    out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += response.body;
    SendAll(client, out);
  }
  ::shutdown(client, SHUT_WR);
}

}  // namespace testing_support
