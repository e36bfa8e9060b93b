#pragma once
// The kovary command run as a user runs it, its output kept in a scratch folder.
#include "support/scratch_dir.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace kov::test {

struct CliResult {
    int code;
    std::string out, err;
};

inline CliResult kovary(const ScratchDir& dir, const std::string& args) {
    const std::string cmd = std::string("\"") + KOVARY_CLI_PATH + "\" " + args + " >\"" + dir.file("out.txt") +
                            "\" 2>\"" + dir.file("err.txt") + "\"";
    const int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, dir.read("out.txt"), dir.read("err.txt")};
}

} // namespace kov::test
