#include "engine/held_files.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace kov {
namespace {

std::optional<std::string> readFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > HeldFiles::MaxBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)) || in.peek() != std::char_traits<char>::eof())
        return std::nullopt; // it changed while being read: each run reads it itself
    return bytes;
}

} // namespace

std::shared_ptr<const HeldFiles> HeldFiles::read(const std::vector<std::string>& paths) {
    auto held = std::make_shared<HeldFiles>();
    for (const std::string& path : paths) {
        if (held->files_.count(path) != 0) continue;
        const std::optional<std::string> text = readFile(path);
        if (!text) continue;
        if (auto parsed = parseMicrodata(*text, MaxBytes)) held->files_.emplace(path, std::move(*parsed));
    }
    return held;
}

const ParsedMicrodata* HeldFiles::find(const std::string& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? nullptr : &it->second;
}

std::size_t HeldFiles::bytes() const {
    std::size_t total = 0;
    for (const auto& [path, parsed] : files_) total += parsed.bytes();
    return total;
}

} // namespace kov
