#include "config/staged_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kov {
namespace fs = std::filesystem;

StagedFile::StagedFile(const std::string& target) : target_(target) {
    if (target.empty()) return;
    std::error_code ec;
    // Write through a symbolic link rather than replacing the link itself.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const auto real = fs::weakly_canonical(target, ec);
        if (!ec) target_ = real.string();
    }
    const auto st = fs::status(target_, ec);
    if (fs::is_directory(st)) return; // no file can take its place
    if (fs::exists(st) && !fs::is_regular_file(st)) {
        // Nothing can be renamed over a device or a pipe: it takes the bytes as they come.
        stream_ = std::fopen(target_.c_str(), "wb");
        if (!stream_) return;
        inPlace_ = true;
        writePath_ = target_;
        return;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = target_ + ".tmp" + (attempt == 0 ? std::string() : std::to_string(attempt));
        // Never clobber a file that is there: it may be another run's.
        stream_ = std::fopen(temp.c_str(), "wbx");
        if (stream_) {
            writePath_ = temp;
            return;
        }
        if (errno != EEXIST) return;
    }
}

StagedFile::~StagedFile() { discard(); }

bool StagedFile::closeStream() {
    if (!stream_) return true;
    bool ok = std::ferror(stream_) == 0;
    if (std::fclose(stream_) != 0) ok = false;
    stream_ = nullptr;
    return ok;
}

void StagedFile::discard() {
    closeStream();
    if (!inPlace_ && !writePath_.empty()) std::remove(writePath_.c_str());
    writePath_.clear();
}

bool StagedFile::commit(std::string* reason) {
    auto fail = [reason](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    if (writePath_.empty()) return fail("nothing was written");
    if (!closeStream()) {
        const std::string why = "cannot write " + writePath_ + ": " + std::strerror(errno);
        discard();
        return fail(why);
    }
    if (inPlace_) {
        writePath_.clear();
        return true;
    }
    std::error_code ec;
    const auto st = fs::status(target_, ec);
    if (fs::exists(st)) fs::permissions(writePath_, st.permissions(), ec); // keep the file's mode
    if (std::rename(writePath_.c_str(), target_.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        discard();
        return fail("cannot replace " + target_ + ": " + why);
    }
    writePath_.clear();
    return true;
}

} // namespace kov
