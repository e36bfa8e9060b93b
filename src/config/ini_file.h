#pragma once
// A profile (INI) file held in memory, with the reading and writing rules of
// the Windows profile calls: section and key names match without regard to
// case, a missing file, section or key reads as the caller's default, values
// are cut at 255 characters. A write changes only the line of its key (or adds
// one), so comments, unknown sections and odd spacing survive byte for byte.
// Nothing reaches the disk until save(), which replaces the file atomically.
#include <cstddef>
#include <string>
#include <vector>

namespace kov {

/// Section and key names match as the profile calls match them: ASCII letters without regard to case.
bool sameName(const std::string& a, const std::string& b);

class IniFile {
public:
    /// Values are read into a 256-byte buffer, so at most this many characters.
    static constexpr std::size_t MaxValueLength = 255;
    /// Largest file we agree to load; configuration files are a few kilobytes.
    static constexpr std::size_t MaxBytes = 16u * 1024u * 1024u;

    enum class LoadState { Missing, Loaded, Unreadable };

    /// Loads path. A missing file gives an empty profile (state Missing); a file
    /// that exists but cannot be read whole gives an empty one in state Unreadable.
    static IniFile load(const std::string& path);
    /// A profile made from text (tests).
    static IniFile fromText(const std::string& text);

    LoadState state() const { return state_; }

    /// The value of (section, key), blanks around it removed and cut to
    /// MaxValueLength characters; defaultValue (cut the same way) when the
    /// section or key is missing. A key present with an empty value reads as "".
    std::string read(const std::string& section, const std::string& key,
                     const std::string& defaultValue) const;

    /// Sets (section, key) to value: in place when the key exists, else added
    /// after the last non-blank line of its section, else in a new section at
    /// the end. A value holding a line break is cut before it.
    void write(const std::string& section, const std::string& key, const std::string& value);

    /// The whole content as it would be saved.
    std::string text() const;

    /// Writes text() to a temporary file in the target's folder and renames it
    /// over path. False (with *error set) when any step fails; the file on disk
    /// is then untouched.
    bool save(const std::string& path, std::string* error = nullptr) const;

private:
    struct Line {
        std::string body; ///< without its line end
        std::string eol;  ///< "\n", "\r\n", or "" for a last line without one
    };

    void parse(const std::string& text);
    /// Line i as its meaning is read (a leading byte-order mark left out).
    std::string content(std::size_t i) const;
    /// Index of the first header line naming section, or npos.
    std::size_t findSection(const std::string& section) const;
    /// One past the last line of the section whose header is at index header.
    std::size_t sectionEnd(std::size_t header) const;
    /// Index of the first key line of the section naming key, or npos.
    std::size_t findKey(std::size_t header, const std::string& key) const;
    /// Inserts a line before index at, giving a previous last line its line end.
    void insertLine(std::size_t at, std::string body);

    std::vector<Line> lines_;
    std::string newLine_ = "\n";
    LoadState state_ = LoadState::Missing;
};

} // namespace kov
