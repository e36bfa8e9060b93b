#pragma once
// The microdata files read into memory once and shared read-only by the runs
// of a comparison, a sweep, a replicate set or the What-if mode: the disk is
// read once, every run reads the same values even if the file changes
// meanwhile, and the text is turned into numbers once (ParsedMicrodata).
#include "engine/parsed_microdata.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kov {

class HeldFiles {
public:
    /// A file larger than this, or whose numbers take more, is left to each
    /// run to stream, as one run does.
    static constexpr std::size_t MaxBytes = std::size_t{1} << 30;

    /// Reads every path that names a readable regular file of at most
    /// MaxBytes. Any other path is left out: each run then opens it itself
    /// and says what is wrong, as it would alone.
    static std::shared_ptr<const HeldFiles> read(const std::vector<std::string>& paths);

    /// The numbers of path, valid while this object lives; null when not held.
    const ParsedMicrodata* find(const std::string& path) const;
    std::size_t count() const { return files_.size(); }
    /// Memory the held files take.
    std::size_t bytes() const;

private:
    std::map<std::string, ParsedMicrodata> files_;
};

} // namespace kov
