// The native transport against the service stand-in on this machine: cancellation, limits and
// the address rule, which the command-line tests cannot time or reach.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "lyrics/platform/CurlTransport.h"

namespace zor {
namespace {

using Clock = std::chrono::steady_clock;

// The stand-in as a child process, stopped at the end of the test.
class Standin {
  public:
    explicit Standin(const char* fault) {
        int output[2];
        if (pipe(output) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(output[1], STDOUT_FILENO);
            close(output[0]);
            close(output[1]);
            execlp("python3", "python3", ZOR_STANDIN, "--records", ZOR_STANDIN_RECORDS, "--fault",
                   fault, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(output[1]);
        FILE* lines = fdopen(output[0], "r");
        if (lines != nullptr && std::fscanf(lines, "port %d", &port_) != 1) {
            port_ = 0;
        }
        if (lines != nullptr) {
            std::fclose(lines);
        }
    }
    ~Standin() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    Standin(const Standin&) = delete;
    Standin& operator=(const Standin&) = delete;

    std::string url(const std::string& target) const {
        return "http://127.0.0.1:" + std::to_string(port_) + target;
    }
    int port() const { return port_; }

  private:
    pid_t pid_ = -1;
    int port_ = 0;
};

HttpRequest get(const std::string& url) {
    HttpRequest request;
    request.url = url;
    return request;
}

TEST(CurlTransportTest, AnsweredRequestsGiveStatusHeadersAndBody) {
    const Standin standin("none");
    ASSERT_NE(standin.port(), 0);
    CurlTransport transport(CurlTransportOptions{"", true});
    const CancelFlag never{false};
    const HttpResponse found = transport.send(get(standin.url("/api/get/101")), never);
    ASSERT_TRUE(found.ok()) << found.detail;
    EXPECT_EQ(found.status, 200);
    EXPECT_EQ(found.header("content-type"), "application/json");
    EXPECT_NE(found.body.find("Paper Lanterns"), std::string::npos);

    const HttpResponse missing = transport.send(get(standin.url("/api/get/999")), never);
    EXPECT_EQ(missing.status, 404);
    EXPECT_NE(missing.body.find("TrackNotFound"), std::string::npos);

    HttpRequest small = get(standin.url("/api/get/101"));
    small.limits.maxBodyBytes = 100;
    EXPECT_EQ(transport.send(small, never).failure, HttpFailure::TooLarge);
}

TEST(CurlTransportTest, ACancelledTransferEndsQuickly) {
    const Standin standin("stall");
    ASSERT_NE(standin.port(), 0);
    CurlTransport transport(CurlTransportOptions{"", true});
    CancelFlag cancel{false};
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel = true;
    });
    const Clock::time_point start = Clock::now();
    const HttpResponse response = transport.send(get(standin.url("/api/get/101")), cancel);
    const auto took = Clock::now() - start;
    canceller.join();
    EXPECT_EQ(response.failure, HttpFailure::Cancelled);
    // Far below the 15 s the stall would otherwise cost: the flag was seen, not the limit.
    EXPECT_LT(took, std::chrono::seconds(5));
}

TEST(CurlTransportTest, RedirectsAreBoundedAndEachHopIsJudged) {
    const Standin standin("redirect-loop");
    ASSERT_NE(standin.port(), 0);
    CurlTransport transport(CurlTransportOptions{"", true});
    const CancelFlag never{false};
    EXPECT_EQ(transport.send(get(standin.url("/api/get/101")), never).failure,
              HttpFailure::RedirectLoop);
}

TEST(CurlTransportTest, AddressesOffThisMachineAreRefusedBeforeAnythingIsSent) {
    const CancelFlag never{false};
    CurlTransport loopbackOnly(CurlTransportOptions{"", true});
    EXPECT_EQ(loopbackOnly.send(get("https://lrclib.net/api/get/1"), never).failure,
              HttpFailure::RefusedScheme);
    CurlTransport anywhere;
    EXPECT_EQ(anywhere.send(get("http://lrclib.net/api/get/1"), never).failure,
              HttpFailure::RefusedScheme);
    EXPECT_EQ(anywhere.send(get("ftp://127.0.0.1/"), never).failure, HttpFailure::BadUrl);
    // A port nobody listens on: port 1 needs a privilege no test has.
    EXPECT_EQ(loopbackOnly.send(get("http://127.0.0.1:1/"), never).failure, HttpFailure::NoAnswer);
}

}  // namespace
}  // namespace zor
