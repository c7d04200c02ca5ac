// SPDX-License-Identifier: MIT
// The platform's HTTP client (libcurl or WinHTTP) against a real server on 127.0.0.1: the body's first bytes
// whatever the status, at most the capacity asked for, and a plain false when there is no answer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

#include "console/http_client.h"
#include "tests/local_http_server.h"

namespace {

constexpr std::size_t kCapacity = 127;

HttpRequest localRequest(int port) {
    HttpRequest request;
    request.host = "127.0.0.1";
    request.port = port;
    request.path = "/quarn_release_date.txt";
    request.userAgent = "QuarnCheckUpdate";
    request.connectTimeoutMs = 1000;
    request.totalTimeoutMs = 1500;
    return request;
}

TEST(HttpClient, ReturnsTheBodysFirstBytes) {
    const struct {
        const char* name;
        std::string reply;
        std::string body;
    } rows[] = {
        {"release time", LocalHttpServer::ok("1619900798"), "1619900798"},
        {"with a line end", LocalHttpServer::ok("1619900798\r\n"), "1619900798\r\n"},
        {"error page", LocalHttpServer::ok("<html>gone</html>", "404 Not Found"), "<html>gone</html>"},
        {"long body", LocalHttpServer::ok(std::string(300, '7')), std::string(kCapacity, '7')},
        {"empty body", LocalHttpServer::ok(""), ""},
    };
    for (const auto& row : rows) {
        LocalHttpServer server(row.reply);
        std::atomic<bool> cancel{false};
        std::string body = "old";
        EXPECT_TRUE(httpGet(localRequest(server.port()), kCapacity, cancel, body)) << row.name;
        EXPECT_EQ(body, row.body) << row.name;
    }
}

TEST(HttpClient, SendsOneGetWithTheUserAgent) {
    LocalHttpServer server(LocalHttpServer::ok("1619900798"));
    std::atomic<bool> cancel{false};
    std::string body;
    ASSERT_TRUE(httpGet(localRequest(server.port()), kCapacity, cancel, body));
    const std::string request = server.firstRequest();
    EXPECT_EQ(request.rfind("GET /quarn_release_date.txt HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("User-Agent: QuarnCheckUpdate\r\n"), std::string::npos) << request;
    EXPECT_EQ(server.connections(), 1);
}

// No server, a server that never answers, a cancelled check: false and an empty body, within the time-outs.
TEST(HttpClient, FailsWithoutAnAnswer) {
    std::atomic<bool> cancel{false};
    std::string body = "old";
    EXPECT_FALSE(httpGet(localRequest(LocalHttpServer::refusedPort()), kCapacity, cancel, body));
    EXPECT_EQ(body, "");

    LocalHttpServer silent("", true);
    const auto start = std::chrono::steady_clock::now();
    body = "old";
    EXPECT_FALSE(httpGet(localRequest(silent.port()), kCapacity, cancel, body));
    EXPECT_EQ(body, "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));

    LocalHttpServer answering(LocalHttpServer::ok("1619900798"));
    cancel = true;
    EXPECT_FALSE(httpGet(localRequest(answering.port()), kCapacity, cancel, body));
}

}  // namespace
