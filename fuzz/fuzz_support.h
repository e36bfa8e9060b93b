#pragma once
// Shared pieces of the fuzz targets. Most readers take a path, so each input
// is written to a file of this process (one path, rewritten every time).
// Targets with choices take them from the input's first byte, read as a digit
// so that seed files stay readable ('0' is choice 0, '1' choice 1 ...), and
// targets that need several files cut the rest of the input at form feeds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h> // getpid
#include <vector>

namespace kov::fuzz {

/// Separates the files of a multi-file input.
constexpr char FileSeparator = '\f';

/// A file in the temporary folder, unique to this process, removed at exit.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : path_((std::filesystem::temp_directory_path() /
                 ("kovary-fuzz-" + std::to_string(static_cast<long>(getpid())) + "-" + name))
                    .string()) {}
    ~ScratchFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

    /// Replaces the file's content; aborts when the disk refuses, since every
    /// later result would then be about a stale file.
    const std::string& write(std::string_view bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path_.c_str());
            std::abort();
        }
        return path_;
    }

private:
    std::string path_;
};

/// The fuzz input with its leading choice byte taken off.
struct Input {
    unsigned choice = 0;  ///< first byte as a digit, modulo the number of choices
    std::string_view rest; ///< everything after the first byte
};

inline Input takeChoice(const std::uint8_t* data, std::size_t size, unsigned choices) {
    Input in;
    if (size == 0) return in;
    in.choice = static_cast<unsigned>(data[0] - '0') % choices;
    in.rest = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    return in;
}

/// The whole input as text.
inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
}

/// The parts of text between form feeds, at most maxParts (the last keeps any further ones).
inline std::vector<std::string_view> splitFiles(std::string_view text, std::size_t maxParts) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const auto at = text.find(FileSeparator);
        if (at == std::string_view::npos) break;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

/// Stops the run as a crash, for properties the fuzz target checks itself.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

} // namespace kov::fuzz
