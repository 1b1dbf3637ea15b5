#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stop_token>
#include <thread>

#include "online/http.h"
#include "platform/gbk.h"
#include "platform/web_address.h"
#include "support/core/http_server.h"

using namespace std::chrono_literals;
using gbk::G;
using online::BodyText;
using online::HttpGet;
using online::HttpOptions;
using testing_support::TestHttpResponse;
using testing_support::TestHttpServer;

namespace {

using Clock = std::chrono::steady_clock;

HttpOptions ShortTimeouts() {
  HttpOptions o;
  o.connectTimeout = 1000ms;
  o.totalTimeout = 400ms;
  return o;
}

// The bounds below only say "did not hang": far above the timeouts in force,
// far below what a stuck transfer would take.
constexpr auto kNoHang = 8s;

TEST(HttpGet, SendsOneGetWithTheTwoHeadersToTheExactPath) {
  TestHttpServer server;
  server.Serve("/ver/cname.txt", "hello");
  EXPECT_EQ(HttpGet(server.BaseUrl() + "ver/cname.txt"), "hello");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/ver/cname.txt");
  EXPECT_EQ(requests[0].Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(requests[0].Header("Connection"), "close");
  EXPECT_FALSE(requests[0].HasHeader("Content-Length"));
}

TEST(HttpGet, ReturnsTheBodyByteForByteZeroBytesIncluded) {
  TestHttpServer server;
  std::string body = G("[澜舟雅集]\r\n") + std::string("a\0b\xFF\x80", 5);
  server.Serve("/b", body);
  std::string got = HttpGet(server.BaseUrl() + "b");
  EXPECT_EQ(got, body);
  EXPECT_EQ(BodyText(got), G("[澜舟雅集]\r\na"));
}

struct StatusCase {
  int status;
  std::string body;
};

class HttpGetStatus : public ::testing::TestWithParam<StatusCase> {};

// The status is not examined: whatever page the site sends is the answer.
TEST_P(HttpGetStatus, BodyIsReturnedWhateverTheStatus) {
  TestHttpServer server;
  server.Serve("/p", GetParam().body, GetParam().status);
  EXPECT_EQ(HttpGet(server.BaseUrl() + "p"), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Rows, HttpGetStatus,
                         ::testing::Values(StatusCase{200, ""},  // an empty file
                                           StatusCase{404, "<html><body>Not Found</body></html>"},
                                           StatusCase{500, "<h1>Server Error</h1>"}, StatusCase{503, ""}));

TEST(HttpGet, UnknownPathGivesTheServersErrorPage) {
  TestHttpServer server;
  EXPECT_NE(HttpGet(server.BaseUrl() + "nothing/here.txt").find("404"), std::string::npos);
}

TEST(HttpGet, FollowsARedirect) {
  TestHttpServer server;
  TestHttpResponse moved;
  moved.raw = "HTTP/1.1 302 Found\r\nLocation: /new\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  server.Serve("/old", moved);
  server.Serve("/new", "moved here");
  EXPECT_EQ(HttpGet(server.BaseUrl() + "old"), "moved here");
}

struct FailureCase {
  const char* name;
  TestHttpResponse response;
};

class HttpGetFailure : public ::testing::TestWithParam<FailureCase> {};

// A transfer that does not complete gives an empty body, never the part that
// arrived.
TEST_P(HttpGetFailure, GivesEmpty) {
  TestHttpServer server;
  server.Serve("/f", GetParam().response);
  auto start = Clock::now();
  EXPECT_EQ(HttpGet(server.BaseUrl() + "f", {}, ShortTimeouts()), "");
  EXPECT_LT(Clock::now() - start, kNoHang);
}

TestHttpResponse Raw(std::string raw) {
  TestHttpResponse r;
  r.raw = std::move(raw);
  return r;
}

TestHttpResponse Stalled() {
  TestHttpResponse r;
  r.body = "too late";
  r.delay = 60s;
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HttpGetFailure,
    ::testing::Values(
        FailureCase{"Truncated",
                    Raw("HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nshort")},
        FailureCase{"NotHttp", Raw("garbage that is not a status line\r\n\r\n")},
        FailureCase{"ClosedWithoutAnswer", Raw(" ")}, FailureCase{"Stalled", Stalled()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpGet, UnreachableSiteGivesEmptyQuickly) {
  std::string url = "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/ver/cname.txt";
  auto start = Clock::now();
  EXPECT_EQ(HttpGet(url, {}, ShortTimeouts()), "");
  EXPECT_LT(Clock::now() - start, kNoHang);
}

TEST(HttpGet, StopRequestEndsAStalledTransferPromptly) {
  TestHttpServer server;
  server.Serve("/slow", Stalled());
  HttpOptions patient;
  patient.totalTimeout = 120s;

  std::stop_source stop;
  auto start = Clock::now();
  auto result = std::async(std::launch::async,
                           [&] { return HttpGet(server.BaseUrl() + "slow", stop.get_token(), patient); });
  // Stop only once the request is known to be waiting on the site.
  while (server.Requests().empty() && Clock::now() - start < kNoHang) std::this_thread::sleep_for(5ms);
  ASSERT_EQ(server.Requests().size(), 1u);
  stop.request_stop();
  ASSERT_EQ(result.wait_for(kNoHang), std::future_status::ready);
  EXPECT_EQ(result.get(), "");
}

TEST(HttpGet, StopAlreadyRequestedMakesNoRequest) {
  TestHttpServer server;
  server.Serve("/x", "x");
  std::stop_source stop;
  stop.request_stop();
  EXPECT_EQ(HttpGet(server.BaseUrl() + "x", stop.get_token()), "");
  EXPECT_TRUE(server.Requests().empty());
}

TEST(HttpGet, BodyOverTheLimitGivesEmpty) {
  TestHttpServer server;
  server.Serve("/big", std::string(5000, 'x'));
  HttpOptions small;
  small.maxBodyBytes = 4096;
  EXPECT_EQ(HttpGet(server.BaseUrl() + "big", {}, small), "");
  small.maxBodyBytes = 5000;
  EXPECT_EQ(HttpGet(server.BaseUrl() + "big", {}, small).size(), 5000u);
}

TEST(HttpGet, OnlyHttpIsFetched) {
  EXPECT_EQ(HttpGet("file:///etc/hostname"), "");
  EXPECT_EQ(HttpGet(""), "");
}

TEST(HttpGet, RedirectToAnotherProtocolIsRefused) {
  TestHttpServer server;
  server.Serve("/r",
               Raw("HTTP/1.1 302 Found\r\nLocation: file:///etc/hostname\r\nContent-Length: 0\r\n\r\n"));
  EXPECT_EQ(HttpGet(server.BaseUrl() + "r"), "");
}

TEST(HttpGet, TwoByteCharactersAndBlanksReachTheSiteAsTheSameBytes) {
  TestHttpServer server;
  server.Serve("/q", "ok");
  std::string key = G("霁岚 公司");
  EXPECT_EQ(HttpGet(server.BaseUrl() + "q?key=" + key), "ok");
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(TestHttpServer::PercentDecode(requests[0].target), "/q?key=" + key);
}

TEST(HttpGet, ConcurrentFirstCallsAllSucceed) {
  TestHttpServer server;
  server.Serve("/c", "same");
  std::vector<std::future<std::string>> calls;
  for (int i = 0; i < 4; ++i)
    calls.push_back(std::async(std::launch::async, [&] { return HttpGet(server.BaseUrl() + "c"); }));
  for (auto& c : calls) EXPECT_EQ(c.get(), "same");
}

struct EncodeCase {
  std::string in, out;
};

class EncodeAddress : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeAddress, KeepsPrintableAsciiAndEncodesTheRest) {
  EXPECT_EQ(platform::EncodeAddressForRequest(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EncodeAddress,
    ::testing::Values(EncodeCase{"http://h/a/b.asp?key=x&y=1#f", "http://h/a/b.asp?key=x&y=1#f"},
                      EncodeCase{"http://h/a%20b", "http://h/a%20b"},  // already encoded: unchanged
                      EncodeCase{"http://h/a b", "http://h/a%20b"},
                      EncodeCase{std::string("k=\xB0\xA1", 4), "k=%B0%A1"},
                      EncodeCase{"a\r\nb\t\x7F", "a%0D%0Ab%09%7F"},
                      EncodeCase{"<\"|\\^`{}>", "%3C%22%7C%5C%5E%60%7B%7D%3E"}));

TEST(BodyTextTest, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(BodyText(std::string("ab\0cd\0", 6)), "ab");
  EXPECT_EQ(BodyText(std::string("\0ab", 3)), "");
  EXPECT_EQ(BodyText("abc"), "abc");
  EXPECT_EQ(BodyText(""), "");
}

}  // namespace
