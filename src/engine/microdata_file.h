#pragma once
// The line and token reader of the court and stock microdata files. It holds
// one line at a time, so memory stays the same whatever the file's size, and
// it refuses lines it cannot hold or that are not text instead of guessing.
// It reads the file itself, bytes held in memory, or the numbers of a file
// read once for many runs (ParsedMicrodata, HeldFiles).
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kov {

struct ParsedMicrodata;

/// How the last token request went.
enum class TokenStatus {
    Ok,      ///< a number was taken
    Missing, ///< the line had no more tokens
    Bad      ///< a token without a number, a non-finite number or one beyond 32 bits
};

/// Why ReadLine stopped without a line, besides the end of the file.
enum class LineFault { None, TooLong, NotText, TooManyLines };

/// In a parsed file's tokens: the value is the line's next odd token (ParsedMicrodata).
inline constexpr std::int32_t OddTokenMarker = std::numeric_limits<std::int32_t>::min();

class CMicroDataFile {
public:
    /// Longest line accepted, line end not counted.
    static constexpr std::size_t MaxLineLength = 65536;

    CMicroDataFile() = default;
    CMicroDataFile(const CMicroDataFile&) = delete;
    CMicroDataFile& operator=(const CMicroDataFile&) = delete;

    /// Opens path for reading from its start. False when it cannot be
    /// opened; openCause() then tells why.
    bool Open(const std::string& path);
    /// Reads the file's bytes as held in memory (they must outlive the
    /// reading); path is the name the messages give.
    void OpenHeld(const std::string& path, std::string_view bytes);
    /// Reads the numbers of a file read before (they must outlive the
    /// reading): the same lines, values and faults as its text, but line()
    /// stays empty. path is the name the messages give.
    void OpenParsed(const std::string& path, const ParsedMicrodata& parsed);
    bool isOpen() const { return in_.is_open() || holding_ || parsed_; }
    void Close();

    /// Reads the next line, line end (LF or CR LF) removed. True when a line
    /// was read: the line count goes up by one and tokens start again from the
    /// line's beginning. False at the end of the file or on a fault (failed()
    /// tells which); line count and token position are then unchanged.
    bool ReadLine();

    /// Next blank-separated token as an integer, its leading number taken
    /// ("12abc" gives 12, "2.5" gives 2). True when a number was taken; false
    /// with out unchanged when the token is missing or bad (tokenStatus()).
    bool NextInt(int& out) {
        // A parsed file's plain integers are taken here, without a call.
        if (parsed_ && parsedNext_ != parsedEnd_ && *parsedNext_ != OddTokenMarker) {
            tokenStatus_ = TokenStatus::Ok;
            out = *parsedNext_++;
            return true;
        }
        return takeInt(out);
    }
    /// The same with a floating number; non-finite values are bad.
    bool NextDouble(double& out) {
        if (parsed_ && parsedNext_ != parsedEnd_ && *parsedNext_ != OddTokenMarker) {
            tokenStatus_ = TokenStatus::Ok;
            out = static_cast<double>(*parsedNext_++);
            return true;
        }
        return takeDouble(out);
    }

    int lineCount() const { return lineCount_; }
    const std::string& line() const { return line_; }
    int tokenPosition() const { return static_cast<int>(tokenPos_); }
    TokenStatus tokenStatus() const { return tokenStatus_; }
    const std::string& path() const { return path_; }
    /// The file's name as the configuration gives it, for messages; the path until set.
    const std::string& name() const { return name_.empty() ? path_ : name_; }
    void setName(std::string name) { name_ = std::move(name); }

    /// True once ReadLine has refused a line; the reader then stays at the end.
    bool failed() const { return fault_ != LineFault::None; }
    LineFault fault() const { return fault_; }
    /// What went wrong, naming the line and the file; empty when nothing did.
    std::string faultText() const;
    /// Cause code of a failed Open, in the framework's file-error numbering:
    /// 1 generic, 2 not found, 3 bad path, 4 too many open files, 5 access denied.
    int openCause() const { return openCause_; }
    /// The message for a failed Open: the path and the cause code.
    std::string openFailureText() const;

private:
    /// The next token's text, or false when the line has no more.
    bool nextToken();
    /// The next block of the file into the buffer; false at its end.
    bool fill();
    /// NextInt and NextDouble from the text, or a parsed file's other tokens.
    bool takeInt(int& out);
    bool takeDouble(double& out);
    /// The next token of a parsed line into value; false (Missing) at the line's end.
    bool takeParsed(std::int32_t& value);
    bool readParsedLine();
    bool parsedInt(int& out);
    bool parsedDouble(double& out);

    std::ifstream in_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16); ///< read ahead of the line
    const char* data_ = nullptr; ///< buffer_, or the held bytes
    std::size_t bufferPos_ = 0, bufferEnd_ = 0;
    std::string_view held_;
    bool holding_ = false, heldTaken_ = false;
    std::string path_;
    std::string name_;
    std::string line_;
    std::string token_; ///< the last token's text, when the plain readers cannot take it
    std::size_t tokenStart_ = 0; ///< where the last token starts in line_
    int lineCount_ = 0;
    std::size_t tokenPos_ = 0;
    TokenStatus tokenStatus_ = TokenStatus::Missing;
    LineFault fault_ = LineFault::None;
    int openCause_ = 0;
    // Reading a parsed file: the next line, the current line's tokens left
    // and the index of its next odd token.
    const ParsedMicrodata* parsed_ = nullptr;
    std::size_t parsedLine_ = 0;
    const std::int32_t* parsedNext_ = nullptr;
    const std::int32_t* parsedEnd_ = nullptr;
    std::size_t nextOdd_ = 0;
};

/// atoi-like reading of a token: leading blanks skipped, leading number taken.
/// Ok, or Bad when there is no number or it does not fit in 32 bits.
TokenStatus tokenToInt(const std::string& token, int& out);
/// atof-like reading of a token; Bad when there is no number or it is not finite.
TokenStatus tokenToDouble(const std::string& token, double& out);

} // namespace kov
