#pragma once

#include <optional>
#include <string>
#include <string_view>

// The code page of a lyrics file that nothing marks and that is not UTF-8, guessed from its bytes.
// Short Western texts fool every detector, so a single-byte guess never overrules the system's own
// code page where that decodes the file too.
namespace zor {

// The Windows code page a charset detector's name stands for, and whether it takes one byte a
// character; none for a charset Windows has no code page for.
struct CharsetCodePage {
    int codePage = 0;
    bool singleByte = false;
};
std::optional<CharsetCodePage> windowsCodePageOf(std::string_view charset);

struct CodePageGuess {
    int codePage = 0;
    std::string text;  // the whole file, decoded
};

using CharsetDetection = std::string (*)(std::string_view bytes);

// The detector's guess (from the file's first 16 KB at most), when it names a code page the
// platform converts, decodes every byte of the file without an invalid sequence, and is not a
// single-byte code page where systemCodePage decodes the file too. Failing that, GBK for a text
// shaped like Chinese in it throughout.
std::optional<CodePageGuess> guessCodePage(std::string_view bytes, int systemCodePage,
                                           CharsetDetection detect);
std::optional<CodePageGuess> guessCodePage(std::string_view bytes, int systemCodePage);

}  // namespace zor
