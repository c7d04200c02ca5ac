// SPDX-License-Identifier: MIT
// Help > "Check for Update..." end to end: the real window asks a real HTTP server on 127.0.0.1.
#include <cstdlib>
#include <ctime>
#include <string>

#include <wx/stopwatch.h>

#include "console/update_check.h"
#include "tests/local_http_server.h"
#include "tests/window_test_fixture.h"

namespace {

const wxString kUnable = wxS("Unable to check for update.\nTo get the latest news: https://www.quarn.example/");
const wxString kUpToDate = wxS("The Quarn software is up-to-date.");

wxString newVersionText(const char* released) {
    return wxString(wxS("Mathematical Expression-based Calculator (Quarn component)\n"
                        "A new Quarn version is available, released: ")) +
           released + wxS("\nClick the link below to download, extract and overwrite the installed version");
}

class UpdateCheckTest : public MainWindowTest {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        setenv("no_proxy", "127.0.0.1", 1);
        unsetenv("http_proxy");
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        unsetenv("TALLYX_UPDATE_HOST");
        MainWindowTest::TearDown();
    }

    void pointAt(int port) {
        setenv("TALLYX_UPDATE_HOST", ("127.0.0.1:" + std::to_string(port)).c_str(), 1);
    }
    /// Chooses the command and waits until its outcome has been shown and closed.
    bool checkForUpdate(int ms = 5000) {
        command(ID_HELP_CHECK_UPDATE);
        return gui::pumpUntil([this] { return !window->GetUpdateCheck().busy; }, ms);
    }
};

// TALLYX_UPDATE_HOST names the server as "host", "host:port" or "[v6-address]:port"; any other value names
// none (an empty host), and the check ends as unable to check.
TEST(UpdateRequest, HostOverrideNamesHostAndPort) {
    const struct {
        const char* value;
        const char* host;
        int port;
    } rows[] = {
        {nullptr, "www.quarn.example", 80},   {"", "www.quarn.example", 80},
        {"127.0.0.1:8080", "127.0.0.1", 8080}, {"example.org", "example.org", 80},
        {"[::1]:65535", "[::1]", 65535},       {"[::1]", "[::1]", 80},
        {"::1", "::1", 80},                    {"[::1", "", 80},
        {"[::1]8080", "", 80},                 {"[]:8080", "", 80},
        {":8080", "", 80},                     {"host:", "", 80},
        {"host:0", "", 80},                    {"host:65536", "", 80},
        {"host:123456", "", 80},               {"host:8o", "", 80},
    };
    for (const auto& row : rows) {
        const HttpRequest request = updateRequest(row.value);
        const char* value = row.value ? row.value : "(none)";
        EXPECT_EQ(request.host, row.host) << value;
        if (*row.host) { EXPECT_EQ(request.port, row.port) << value; }
        EXPECT_EQ(request.path, "/quarn_release_date.txt") << value;
    }
}

TEST_F(UpdateCheckTest, ReplyDecidesTheOutcome) {
    const std::string filler(10 * 1024 * 1024, 'x');
    struct Row {
        std::string reply;
        wxString message;      // the message box's text, when the outcome is one
        const char* released;  // else the new-version About box's release date
    };
    const Row rows[] = {
        {LocalHttpServer::ok("1619900798"), kUpToDate, nullptr},
        {LocalHttpServer::ok("1619900798\r\n"), kUpToDate, nullptr},
        {LocalHttpServer::ok("1619900799"), wxString(), "Sat 2021-05-01 20:26:39"},
        {LocalHttpServer::ok("12345\r\n"), kUnable, nullptr},
        {LocalHttpServer::ok("12345"), kUnable, nullptr},
        {LocalHttpServer::ok("1700000000 word"), wxString(), "Tue 2023-11-14 22:13:20"},
        {LocalHttpServer::ok("2600000000"), kUnable, nullptr},
        {LocalHttpServer::ok("<html><body><h1>404 Not Found</h1></body></html>\r\n", "404 Not Found"), kUnable,
         nullptr},
        {LocalHttpServer::ok("99999999999999999999999\r\n"), kUnable, nullptr},
        // Only the first 127 bytes are read: the line end inside them ends the number.
        {LocalHttpServer::ok("1619900799\r\n" + filler), wxString(), "Sat 2021-05-01 20:26:39"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply.substr(row.reply.find("\r\n\r\n") + 4, 40));
        LocalHttpServer server(row.reply);
        pointAt(server.port());
        gui::MessageBoxAnswer answer(wxOK);
        aboutShown.clear();
        wxStopWatch watch;
        ASSERT_TRUE(checkForUpdate());
        EXPECT_LT(watch.Time(), 3000);
        if (row.reply.size() > filler.size()) {
            EXPECT_LT(server.bytesSent(), filler.size() / 2);
        }
        EXPECT_EQ(server.firstRequest().rfind("GET /quarn_release_date.txt HTTP/1.", 0), 0u);
        EXPECT_NE(server.firstRequest().find("\r\nUser-Agent: QuarnCheckUpdate\r\n"), std::string::npos);
        if (row.released) {
            ASSERT_EQ(aboutShown.size(), 1u);
            EXPECT_TRUE(answer.requests.empty());
            EXPECT_EQ(aboutShown[0].GetDescription(), newVersionText(row.released));
            EXPECT_EQ(aboutShown[0].GetWebSiteURL(), wxString::Format(wxS("http://127.0.0.1:%d/download/quarn_windows_64bit.zip"), server.port()));
            EXPECT_EQ(aboutShown[0].GetVersion(), wxS("Version 1.8 Build 2104"));
        } else {
            ASSERT_EQ(answer.requests.size(), 1u);
            EXPECT_TRUE(aboutShown.empty());
            EXPECT_EQ(answer.requests[0].message, row.message);
            EXPECT_EQ(answer.requests[0].caption, wxS("Quarn"));
            EXPECT_EQ(answer.requests[0].style, wxOK);
            EXPECT_EQ(answer.requests[0].parent, window);
        }
    }
}

TEST_F(UpdateCheckTest, DeadServersEndInTheUnableMessage) {
    gui::MessageBoxAnswer answer(wxOK);
    pointAt(LocalHttpServer::refusedPort());
    ASSERT_TRUE(checkForUpdate());
    {
        LocalHttpServer silent("", true);
        pointAt(silent.port());
        wxStopWatch watch;
        ASSERT_TRUE(checkForUpdate(kUpdateTotalTimeoutMs + 3000));
        EXPECT_GE(watch.Time(), kUpdateTotalTimeoutMs - 500);
    }
    setenv("TALLYX_UPDATE_HOST", "127.0.0.1:notaport", 1);
    ASSERT_TRUE(checkForUpdate());
    ASSERT_EQ(answer.requests.size(), 3u);
    for (const MessageBoxRequest& request : answer.requests) EXPECT_EQ(request.message, kUnable);
}

TEST_F(UpdateCheckTest, OneCheckAtATimeUntilItsBoxIsClosed) {
    LocalHttpServer server(LocalHttpServer::ok("12345"));
    pointAt(server.port());
    std::vector<bool> busyWhileShown;
    setMessageBoxResponder([&](const MessageBoxRequest&) {
        busyWhileShown.push_back(window->GetUpdateCheck().busy);
        command(ID_HELP_CHECK_UPDATE);  // while the box is up: starts nothing
        return wxOK;
    });
    command(ID_HELP_CHECK_UPDATE);
    ASSERT_TRUE(checkForUpdate());  // the second choice, during the exchange, starts nothing either
    EXPECT_EQ(server.connections(), 1);
    ASSERT_TRUE(checkForUpdate());  // after a failed check the command works again
    EXPECT_EQ(server.connections(), 2);
    setMessageBoxResponder(nullptr);
    EXPECT_EQ(busyWhileShown, (std::vector<bool>{true, true}));
}

TEST_F(UpdateCheckTest, ClosingTheWindowDuringACheckNeitherWaitsLongNorCrashes) {
    LocalHttpServer silent("", true);
    pointAt(silent.port());
    gui::MessageBoxAnswer answer(wxOK);
    command(ID_HELP_CHECK_UPDATE);
    ASSERT_TRUE(gui::pumpUntil([&] { return silent.connections() == 1; }));
    wxStopWatch watch;
    window->Destroy();
    gui::pump(200);
    EXPECT_LT(watch.Time(), kUpdateShutdownWaitMs + 500);
    EXPECT_FALSE(isAlive());
    gui::pump(300);
    EXPECT_TRUE(answer.requests.empty());
}

}  // namespace
