#pragma once
// The microdata files read into memory once and shared read-only by the runs
// of a comparison, a sweep or a replicate set: the disk is read once, and
// every run reads the same bytes even if the file changes meanwhile.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kov {

class HeldFiles {
public:
    /// Files larger than this are left to each run to stream, as one run does.
    static constexpr std::size_t MaxBytes = std::size_t{1} << 30;

    /// Reads every path that names a readable regular file of at most
    /// MaxBytes. Any other path is left out: each run then opens it itself
    /// and says what is wrong, as it would alone.
    static std::shared_ptr<const HeldFiles> read(const std::vector<std::string>& paths);

    /// The bytes of path, valid while this object lives; nullopt when not held.
    std::optional<std::string_view> find(const std::string& path) const;
    std::size_t count() const { return files_.size(); }
    std::size_t bytes() const;

private:
    std::map<std::string, std::string> files_;
};

} // namespace kov
