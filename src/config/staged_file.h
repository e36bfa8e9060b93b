#pragma once
// A whole output file written under a temporary name in its target's folder
// and put in place by one rename once it is complete. Until then, whatever
// stops the writing (a failure, a cancel, a killed process) leaves the target
// as it was; an uncommitted temporary is removed when the object goes.
#include <cstdio>
#include <string>

namespace kov {

class StagedFile {
public:
    /// Creates the temporary next to target (a link is written through, a
    /// device or pipe is written directly). ok() tells whether that worked.
    explicit StagedFile(const std::string& target);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool ok() const { return !writePath_.empty(); }
    /// The new file, open for writing from its start; null when !ok() or closed.
    std::FILE* stream() const { return stream_; }
    /// Closes the stream; false when a write or the close failed.
    bool closeStream();
    /// Hands the stream to the caller, who closes it before commit().
    std::FILE* releaseStream() {
        std::FILE* f = stream_;
        stream_ = nullptr;
        return f;
    }
    /// Where the new file is, for writers that open it again (with "a");
    /// empty when !ok().
    const std::string& writePath() const { return writePath_; }
    /// Closes the stream and puts the new file in place, keeping the target's
    /// permissions. False, with a short reason, when a write, the close or the
    /// rename failed; the target is then as it was.
    bool commit(std::string* reason = nullptr);
    /// Drops what was written; the target stays as it was.
    void discard();

private:
    std::string target_;
    std::string writePath_;
    std::FILE* stream_ = nullptr;
    bool inPlace_ = false; ///< a device or pipe: no temporary
};

} // namespace kov
