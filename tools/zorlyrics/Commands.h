#pragma once

#include "Options.h"

namespace zor::cli {

// Each returns the exit status: 0 done, 1 the command failed, 2 a FILE it cannot open.
int runRead(const Options& options);
int runShow(const Options& options);
int runEmbed(const Options& options);
int runSearch(const Options& options);
int runPublish(const Options& options);

// The exit status of an online step that could not finish.
inline constexpr int kOnlineFailedStatus = 3;

}  // namespace zor::cli
