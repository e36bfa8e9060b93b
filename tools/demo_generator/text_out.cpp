#include "text_out.h"

#include <cstdarg>
#include <cstdlib>

namespace demo {

OutFile::OutFile(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "wb")) {}

void OutFile::put(std::string_view text) {
    if (!file_ || text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size()) failed_ = true;
}

void OutFile::print(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    // Every line the generator prints is short; a longer one is a programming error.
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
        failed_ = true;
        return;
    }
    put(std::string_view(buffer, static_cast<std::size_t>(n)));
}

bool OutFile::close() {
    if (!file_) return false;
    const bool flushed = std::fflush(file_.get()) == 0 && std::ferror(file_.get()) == 0;
    std::FILE* f = file_.release();
    const bool closed = std::fclose(f) == 0;
    return flushed && closed && !failed_;
}

namespace {

std::int64_t power10(int n) {
    std::int64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

} // namespace

std::string fixed(std::int64_t units, int decimals) {
    const bool negative = units < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    const auto scale = static_cast<std::uint64_t>(power10(decimals));
    char buffer[48];
    if (decimals == 0) {
        std::snprintf(buffer, sizeof buffer, "%s%llu", negative ? "-" : "",
                      static_cast<unsigned long long>(magnitude));
    } else {
        std::snprintf(buffer, sizeof buffer, "%s%llu.%0*llu", negative ? "-" : "",
                      static_cast<unsigned long long>(magnitude / scale), decimals,
                      static_cast<unsigned long long>(magnitude % scale));
    }
    return buffer;
}

std::string fixedRounded(std::int64_t units, int from, int to) {
    const std::int64_t divisor = power10(from - to);
    const std::int64_t half = divisor / 2;
    const std::int64_t rounded =
        units >= 0 ? (units + half) / divisor : -((-units + half) / divisor);
    return fixed(rounded, to);
}

} // namespace demo
