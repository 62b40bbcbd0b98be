// The error report: a fixed text for the codes that ShellExecute answers, the system's own
// message text for every other code.
#include "lyrics/ports/ErrorReport.h"

#include "lyrics/model/TextLimits.h"

namespace zor {

namespace {

constexpr int kNoAssociationCode = 31;

const char* fixedErrorText(int code) {
    switch (code) {
        case 0:
            return "NO MEMORY";
        case 2:
            return "ERROR_FILE_NOT_FOUND";
        case 3:
            return "ERROR_PATH_NOT_FOUND";
        case 5:
            return "SE_ERR_ACCESSDENIED";
        case 8:
            return "SE_ERR_OOM";
        case 11:
            return "ERROR_BAD_FORMAT";
        case 26:
            return "SE_ERR_SHARE";
        case 27:
            return "SE_ERR_ASSOCINCOMPLETE";
        case 28:
            return "SE_ERR_DDETIMEOUT";
        case 29:
            return "SE_ERR_DDEFAIL";
        case 30:
            return "SE_ERR_DDEBUSY";
        case 32:
            return "SE_ERR_DLLNOTFOUND";
        default:
            return nullptr;
    }
}

// No caller passes a file name or an extension, yet code 31 can still arrive: the text is then
// built with empty text in their place.
std::string noAssociationText(const char* fileName, const char* extension) {
    const std::string text = std::string("Please, configure a program to open ") +
                             (extension != nullptr ? extension : "") + " files like " +
                             (fileName != nullptr ? fileName : "") +
                             ". Go to plugin's configuration (F12) and choose an editor. "
                             "(notepad, textpad, etc)";
    return text.substr(0, kTextBufferSize - 1);
}

}  // namespace

PromptAnswer reportError(Prompt& prompt, PromptOwner owner, int code, const std::string& caption,
                         const char* fileName, const char* extension) {
    if (code == kNoAssociationCode) {
        return prompt.show(owner, noAssociationText(fileName, extension), caption,
                           PromptButtons::Ok);
    }
    if (const char* text = fixedErrorText(code)) {
        return prompt.show(owner, text, caption, PromptButtons::Ok);
    }
    return prompt.show(owner, systemErrorText(code), caption, PromptButtons::Ok,
                       PromptIcon::Information);
}

}  // namespace zor
