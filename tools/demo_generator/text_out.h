#pragma once
// A small checked writer for the generated text files, and fixed-point
// formatting from integers (no floating point reaches the output).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace demo {

class OutFile {
public:
    /// Opens path for writing (binary mode: "\n" line ends on every platform).
    explicit OutFile(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void put(std::string_view text);
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// Closes the file; false when any write or the close failed.
    bool close();
    const std::string& path() const { return path_; }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::string path_;
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
};

/// units / 10^decimals written with exactly `decimals` decimals ("4.0500").
std::string fixed(std::int64_t units, int decimals);

/// units / 10^from rounded half away from zero to `to` decimals (to <= from) and written.
std::string fixedRounded(std::int64_t units, int from, int to);

} // namespace demo
