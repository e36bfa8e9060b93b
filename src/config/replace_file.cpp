#include "config/replace_file.h"

#include "config/staged_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kov {

bool replaceFileContents(const std::string& path, const std::string& content, std::string* reason) {
    auto fail = [reason](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    namespace fs = std::filesystem;
    if (path.empty()) return fail("no file name given");

    // Write through a symbolic link rather than replacing the link itself.
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const auto real = fs::weakly_canonical(path, ec);
        if (!ec) target = real.string();
    }
    const auto st = fs::status(target, ec);
    const bool exists = fs::exists(st);
    if (exists) {
        if (!fs::is_regular_file(st)) return fail(target + " is not a regular file");
        // Renaming over a read-only file would succeed; refuse as writing in place would.
        std::FILE* probe = std::fopen(target.c_str(), "r+b");
        if (!probe) return fail(target + ": " + std::strerror(errno));
        std::fclose(probe);
    }

    StagedFile staged(target);
    if (!staged.ok()) return fail("cannot create " + target + ".tmp: " + std::strerror(errno));
    std::FILE* out = staged.stream();
    const bool written = content.empty() || std::fwrite(content.data(), 1, content.size(), out) == content.size();
    if (!written) return fail("cannot write " + staged.writePath() + ": " + std::strerror(errno)); // staged removes it
    return staged.commit(reason);
}

} // namespace kov
