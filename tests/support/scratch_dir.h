#pragma once
// A temporary folder for one test, removed afterwards, optionally filled with
// a copy of one of the test data sets.
#include <cstddef>
#include <filesystem>
#include <string>

namespace kov::test {

class ScratchDir {
public:
    ScratchDir();
    /// Filled with a copy of tests/<relative>, as copyFrom makes it.
    explicit ScratchDir(const std::string& relative) : ScratchDir() { copyFrom(relative); }
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    /// The path in double quotes, as a command line takes it.
    std::string quoted(const std::string& name) const { return "\"" + file(name) + "\""; }

    /// Copies every file of tests/<relative> (e.g. "reference/set1") here.
    void copyFrom(const std::string& relative);
    void write(const std::string& name, const std::string& text) const;
    /// Writes the file and gives its path.
    std::string put(const std::string& name, const std::string& text) const {
        write(name, text);
        return file(name);
    }
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::filesystem::path path_;
};

/// Absolute path of a file under tests/.
std::string testDataPath(const std::string& relative);
/// Absolute path of a file of the source tree.
std::string sourceFile(const std::string& relative);

/// Whole-file reads and writes for byte comparisons.
std::string readBytes(const std::string& path);
/// The first n bytes (fewer when the file is shorter).
std::string readPrefix(const std::string& path, std::size_t n);
void writeBytes(const std::string& path, const std::string& bytes);

} // namespace kov::test
