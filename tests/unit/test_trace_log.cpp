#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "diag/CaughtTrace.h"
#include "diag/TraceLog.h"
#include "lyrics/ports/Prompt.h"

namespace zor {
namespace {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zor-trace-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

struct Shown {
    PromptOwner owner;    // cppcheck-suppress unusedStructMember
    std::string text;     // cppcheck-suppress unusedStructMember
    std::string caption;  // cppcheck-suppress unusedStructMember
};

class RecordingPrompt final : public Prompt {
  public:
    PromptAnswer show(PromptOwner owner, const std::string& text, const std::string& caption,
                      PromptButtons, PromptIcon) override {
        shown.push_back({owner, text, caption});
        return PromptAnswer::Ok;
    }
    std::vector<Shown> shown;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class TraceLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setLogPath(folder.file("log.txt"));
        setTracePrompt(&prompt);
    }
    void TearDown() override {
        traceEnabled = 0;
        setTracePrompt(nullptr);
        setLogPath("log.txt");
    }
    std::string log() const { return contents(folder.file("log.txt")); }

    TempFolder folder;
    RecordingPrompt prompt;
};

TEST_F(TraceLogTest, OffTouchesNoFile) {
    ASSERT_EQ(traceEnabled, 0);
    EXPECT_EQ(traceLine("destroy!!!"), 1);
    EXPECT_EQ(traceLine("antes", true), 1);
    EXPECT_EQ(traceValue(3, "isOneLine:", true), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("log.txt")));

    // Not even a file that cannot be opened is noticed.
    setLogPath(folder.file("missing/log.txt"));
    EXPECT_EQ(traceLine("antes"), 1);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(TraceLogTest, OnAppendsExactLines) {
    traceEnabled = 1;
    EXPECT_EQ(traceLine("doOneLine()"), 1);
    EXPECT_EQ(traceValue(-5, "rcWnd.top:"), 1);
    EXPECT_EQ(traceValue(0, "isReducedMode():"), 1);
    EXPECT_EQ(traceLine(""), 1);
    EXPECT_EQ(log(), "doOneLine()\r\nrcWnd.top:-5\r\nisReducedMode():0\r\n\r\n");
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(TraceLogTest, CaughtExceptionsAreTracedWhereTheyWereCaught) {
    const auto caughtIn = [](const char* where, auto thrower) {
        try {
            thrower();
        } catch (...) {
            traceCaught(where);
        }
    };
    caughtIn("Render", [] { throw std::bad_alloc(); });  // off: nothing written
    EXPECT_FALSE(std::filesystem::exists(folder.file("log.txt")));

    traceEnabled = 1;
    caughtIn("Render", [] { throw std::bad_alloc(); });
    caughtIn("window procedure", [] { throw std::runtime_error("list full"); });
    caughtIn("Quit", [] { throw 42; });
    EXPECT_EQ(log(),
              "caught in Render: std::bad_alloc\r\n"
              "caught in window procedure: list full\r\n"
              "caught in Quit: an exception of unknown type\r\n");
}

TEST_F(TraceLogTest, TruncateStartsTheFileAnew) {
    traceEnabled = 1;
    traceLine("antes");
    traceLine("antes");
    EXPECT_EQ(traceValue(7, "actualWindow:", true), 1);
    traceLine("termina doOneLine()");
    EXPECT_EQ(log(), "actualWindow:7\r\ntermina doOneLine()\r\n");
}

TEST_F(TraceLogTest, LongTextsAreCutToTheirBuffers) {
    traceEnabled = 1;
    traceLine(std::string(600, 'a'));
    traceValue(-2147483647 - 1, std::string(45, 'b'));
    EXPECT_EQ(log(), std::string(509, 'a') + "\r\n" + std::string(45, 'b') + "-21474\r\n");
}

TEST_F(TraceLogTest, OpenFailureIsReportedAndTheLineLost) {
    traceEnabled = 1;
    setLogPath(folder.file("missing/log.txt"));
    EXPECT_EQ(traceLine("antes"), 0);
    EXPECT_EQ(traceValue(1, "isOneLine:"), 0);
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].owner, PromptOwner::None);
    EXPECT_EQ(prompt.shown[0].caption, "Error");
    EXPECT_EQ(prompt.shown[0].text, "ERROR_FILE_NOT_FOUND");  // ENOENT shares the code

    setTracePrompt(nullptr);
    EXPECT_EQ(traceLine("antes"), 0);
    EXPECT_EQ(prompt.shown.size(), 2u);
}

}  // namespace
}  // namespace zor
