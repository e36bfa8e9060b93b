#pragma once
// A small input text file read whole into memory, with the reading styles the
// input formats use: bounded lines (like fgets with a buffer), numbers
// separated by white space in any layout (like fscanf), and dropping the rest
// of a line. CR LF line ends read as LF, as a Windows text-mode stream would.
#include <cstddef>
#include <string>

#include "base/text.h" // the text helpers the readers use

namespace kov {

class TextFile {
public:
    /// Largest file we agree to load; input files are small tables.
    static constexpr std::size_t MaxBytes = 256u * 1024u * 1024u;

    /// Opens and loads path; isOpen() tells whether it worked.
    explicit TextFile(const std::string& path);
    /// A file made from text (tests, fuzzing).
    static TextFile fromText(std::string text);

    bool isOpen() const { return open_; }
    bool atEnd() const { return pos_ >= text_.size(); }

    /// Like fgets(buf, bufferSize, f): up to bufferSize - 1 characters, stopping
    /// after a line end. The line end is removed from the result; *hadLineEnd
    /// tells whether one was read. False at end of file.
    bool readLine(std::string& line, std::size_t bufferSize = 1u << 20, bool* hadLineEnd = nullptr);
    /// Like fscanf(" %lf"): skips white space (line ends included) and reads a
    /// number. False, consuming nothing but the white space, when none is there.
    bool readDouble(double& value);
    /// Like fscanf(" %d").
    bool readInt(int& value);
    /// Drops everything up to and including the next line end.
    void skipRestOfLine();

    /// 1-based line of the reading position (after the blanks a number read
    /// skipped); one past the last line at the end of a file that ends in a
    /// line end. Counted when asked: for messages only.
    int lineNumber() const { return lineAt(pos_); }
    /// 1-based line the last readLine started on.
    int lastLineNumber() const { return lineAt(lineStart_); }

private:
    TextFile() = default;
    int lineAt(std::size_t pos) const;
    std::string text_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    bool open_ = false;
};

/// Dot-leader line: a title without full stops, a token starting with '.', then a
/// number (" %[^.] %*s %d"). The title is cut at the first full stop, leading
/// blanks skipped, trailing ones kept. False unless both title and number are there.
bool parseDotLeaderInt(const std::string& line, std::string& title, int& value);
/// The same with a double (" %[^.] %*s %lf").
bool parseDotLeaderDouble(const std::string& line, std::string& title, double& value);

} // namespace kov
