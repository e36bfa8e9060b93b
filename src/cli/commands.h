#pragma once
// The three commands of the kovary program. Each returns the exit code.
#include <string>

namespace kov::cli {

/// Exit codes: 0 success, 1 failure, 130 cancelled by Ctrl-C.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitCanceled = 130;

int cmdNew(const std::string& kovPath, bool force);
int cmdCheck(const std::string& kovPath, const std::string& dataDir);
/// csvDir, when not empty, receives the CSV copy of the tables (relative to the working folder).
int cmdRun(const std::string& kovPath, const std::string& dataDir, const std::string& csvDir = {});

} // namespace kov::cli
