#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyrics/ports/ErrorReport.h"
#include "lyrics/ports/Prompt.h"

namespace zor {
namespace {

struct Shown {
    PromptOwner owner;
    std::string text;
    std::string caption;
    PromptButtons buttons;
    PromptIcon icon;
};

class RecordingPrompt final : public Prompt {
  public:
    PromptAnswer show(PromptOwner owner, const std::string& text, const std::string& caption,
                      PromptButtons buttons, PromptIcon icon) override {
        shown.push_back({owner, text, caption, buttons, icon});
        return answer;
    }
    PromptAnswer answer = PromptAnswer::Ok;
    std::vector<Shown> shown;
};

const std::string kEditorAdvice =
    ". Go to plugin's configuration (F12) and choose an editor. (notepad, textpad, etc)";

TEST(ErrorReport, TableCodesShowTheirFixedTextWithOneOkButton) {
    const std::vector<std::pair<int, std::string>> table = {
        {0, "NO MEMORY"},
        {2, "ERROR_FILE_NOT_FOUND"},
        {3, "ERROR_PATH_NOT_FOUND"},
        {5, "SE_ERR_ACCESSDENIED"},
        {8, "SE_ERR_OOM"},
        {11, "ERROR_BAD_FORMAT"},
        {26, "SE_ERR_SHARE"},
        {27, "SE_ERR_ASSOCINCOMPLETE"},
        {28, "SE_ERR_DDETIMEOUT"},
        {29, "SE_ERR_DDEFAIL"},
        {30, "SE_ERR_DDEBUSY"},
        {32, "SE_ERR_DLLNOTFOUND"},
    };
    for (const auto& [code, text] : table) {
        RecordingPrompt prompt;
        reportError(prompt, PromptOwner::ConfigDialog, code, "Error");
        ASSERT_EQ(prompt.shown.size(), 1u) << code;
        EXPECT_EQ(prompt.shown[0].text, text) << code;
        EXPECT_EQ(prompt.shown[0].caption, "Error");
        EXPECT_EQ(prompt.shown[0].owner, PromptOwner::ConfigDialog);
        EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(prompt.shown[0].icon, PromptIcon::None) << code;
    }
}

TEST(ErrorReport, NoAssociationNamesTheFileAndExtension) {
    RecordingPrompt prompt;
    reportError(prompt, PromptOwner::None, 31, "Error", "song.lrc", "LRC");
    reportError(prompt, PromptOwner::None, 31, "Error");
    reportError(prompt, PromptOwner::None, 31, "Error", std::string(600, 'x').c_str(), "TXT");
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(prompt.shown[0].text,
              "Please, configure a program to open LRC files like song.lrc" + kEditorAdvice);
    EXPECT_EQ(prompt.shown[1].text,
              "Please, configure a program to open  files like " + kEditorAdvice);
    EXPECT_EQ(prompt.shown[2].text.size(), 511u);
    EXPECT_EQ(prompt.shown[2].icon, PromptIcon::None);
}

TEST(ErrorReport, OtherCodesShowTheSystemTextWithTheInformationIcon) {
    RecordingPrompt prompt;
    prompt.answer = PromptAnswer::Cancel;
    EXPECT_EQ(reportError(prompt, PromptOwner::PluginWindow, 87, "Error"), PromptAnswer::Cancel);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(systemErrorText(87).empty());
    EXPECT_EQ(prompt.shown[0].text, systemErrorText(87));
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Information);
    EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(prompt.shown[0].owner, PromptOwner::PluginWindow);

    reportError(prompt, PromptOwner::None, -1, "Save");
    EXPECT_EQ(prompt.shown[1].caption, "Save");
    EXPECT_EQ(prompt.shown[1].icon, PromptIcon::Information);
}

}  // namespace
}  // namespace zor
