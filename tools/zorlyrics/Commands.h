#pragma once

#include "Options.h"

namespace zor::cli {

// Each returns the exit status: 0 done, 1 the command failed, 2 a FILE it cannot open.
int runRead(const Options& options);
int runShow(const Options& options);
int runEmbed(const Options& options);

}  // namespace zor::cli
