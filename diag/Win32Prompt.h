#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "lyrics/ports/Prompt.h"

namespace zor {

// Message boxes through MessageBoxA. The application says which window stands for each owner;
// an owner it has no window for gets a box without an owner.
class Win32Prompt final : public Prompt {
  public:
    using OwnerWindow = std::function<HWND(PromptOwner)>;

    explicit Win32Prompt(OwnerWindow ownerWindow) : ownerWindow_(std::move(ownerWindow)) {}

    PromptAnswer show(PromptOwner owner, const std::string& text, const std::string& caption,
                      PromptButtons buttons, PromptIcon icon = PromptIcon::None) override;

  private:
    HWND windowFor(PromptOwner owner) const;

    OwnerWindow ownerWindow_;
};

}  // namespace zor
