#pragma once

#include <string>
#include <string_view>

// Artist and title compared as a listener would: without regard to case, accents, punctuation,
// or a trailing "(feat. …)" or "(Remastered)".
namespace zor {

// Lower case ASCII letters, digits and other characters, single spaces between words. Latin
// letters lose their accents; apostrophes vanish ("Don't" is "dont"), other punctuation becomes
// a space; trailing bracketed featuring and remaster notes go.
std::string normaliseName(std::string_view name);

enum class NameRelation {
    Unrelated,
    Contained,  // one begins with the other's whole words ("Artist" and "Artist & Band")
    Equal,
};

// The relation of two names once normalised; two empty names are Unrelated.
NameRelation relateNames(std::string_view a, std::string_view b);

}  // namespace zor
