#pragma once

#include <stdexcept>

namespace zor::hostsim {

// A bad command line or script: nothing of the script is run; exit status 2.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The host could not do what the script asked (e.g. the plug-in does not load); exit status 1.
class HostError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitBadUsage = 2;

}  // namespace zor::hostsim
