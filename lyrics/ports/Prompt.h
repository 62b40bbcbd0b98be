#pragma once

#include <string>

namespace zor {

// Who owns a message box; the Windows prompt maps these to window handles.
enum class PromptOwner { None, PluginWindow, HostMain, ConfigDialog };
enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptIcon { None, Information };
enum class PromptAnswer { Ok, Yes, No, Cancel };

// Message boxes with fixed texts and captions, answering which button was pressed.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer show(PromptOwner owner, const std::string& text,
                              const std::string& caption, PromptButtons buttons,
                              PromptIcon icon = PromptIcon::None) = 0;
};

}  // namespace zor
