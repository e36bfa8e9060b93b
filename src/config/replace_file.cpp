#include "config/replace_file.h"

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

    std::string temp;
    std::FILE* out = nullptr;
    for (int attempt = 0; attempt < 100 && !out; ++attempt) {
        temp = target + ".tmp" + (attempt == 0 ? std::string() : std::to_string(attempt));
        out = std::fopen(temp.c_str(), "wbx"); // never clobber a file that is there
        if (!out && errno != EEXIST) break;
    }
    if (!out) return fail("cannot create " + temp + ": " + std::strerror(errno));

    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), out) == content.size();
    ok = std::fflush(out) == 0 && ok;
    std::string why = ok ? std::string() : std::string(std::strerror(errno));
    if (std::fclose(out) != 0 && ok) {
        ok = false;
        why = std::strerror(errno);
    }
    if (!ok) {
        std::remove(temp.c_str());
        return fail("cannot write " + temp + ": " + why);
    }
    if (exists) fs::permissions(temp, st.permissions(), ec); // keep the file's mode
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        why = std::strerror(errno);
        std::remove(temp.c_str());
        return fail("cannot replace " + target + ": " + why);
    }
    return true;
}

} // namespace kov
