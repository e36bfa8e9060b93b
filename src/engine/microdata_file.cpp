#include "engine/microdata_file.h"

#include "base/format.h"
#include "engine/parsed_microdata.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace kov {
namespace {

// The framework's file-error causes that a failed open can have here.
constexpr int CauseGeneric = 1;
constexpr int CauseNotFound = 2;
constexpr int CauseBadPath = 3;
constexpr int CauseTooManyOpenFiles = 4;
constexpr int CauseAccessDenied = 5;

int causeOf(int error) {
    switch (error) {
    case ENOENT: return CauseNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return CauseBadPath;
    case EMFILE:
    case ENFILE: return CauseTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR: return CauseAccessDenied;
    default: return CauseGeneric;
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// The whole of [p, end) when it is a plain decimal ("12", "-0.25", ".5")
/// whose digits make an integer below 2^53 and with at most 22 decimals:
/// that integer and the power of ten are exact, so one division rounds
/// exactly as strtod does. False for anything else, which goes to strtod.
bool plainDouble(const char* p, const char* end, double& out) {
    static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    unsigned long long v = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; p < end; ++p) {
        if (*p >= '0' && *p <= '9') {
            if (v >= (1ULL << 53) / 10) return false;
            v = v * 10 + static_cast<unsigned>(*p - '0');
            ++digits;
            if (point) ++decimals;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0 || decimals > 22) return false;
    const double magnitude = static_cast<double>(v) / Powers[decimals];
    out = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool CMicroDataFile::Open(const std::string& path) {
    Close();
    path_ = path;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        // A folder opens on some systems and then reads as nothing.
        openCause_ = CauseAccessDenied;
        return false;
    }
    errno = 0;
    in_.open(path, std::ios::in | std::ios::binary); // line ends are handled here
    if (!in_.is_open()) {
        openCause_ = causeOf(errno);
        return false;
    }
    return true;
}

void CMicroDataFile::OpenHeld(const std::string& path, std::string_view bytes) {
    Close();
    path_ = path;
    held_ = bytes;
    holding_ = true;
}

void CMicroDataFile::OpenParsed(const std::string& path, const ParsedMicrodata& parsed) {
    Close();
    path_ = path;
    parsed_ = &parsed;
}

void CMicroDataFile::Close() {
    if (in_.is_open()) in_.close();
    in_.clear();
    held_ = {};
    holding_ = heldTaken_ = false;
    parsed_ = nullptr;
    parsedLine_ = nextOdd_ = 0;
    parsedNext_ = parsedEnd_ = nullptr;
    line_.clear();
    token_.clear();
    bufferPos_ = bufferEnd_ = 0;
    lineCount_ = 0;
    tokenPos_ = 0;
    tokenStatus_ = TokenStatus::Missing;
    fault_ = LineFault::None;
    openCause_ = 0;
}

bool CMicroDataFile::fill() {
    bufferPos_ = 0;
    if (holding_) {
        // The held bytes are one block.
        data_ = held_.data();
        bufferEnd_ = heldTaken_ ? 0 : held_.size();
        heldTaken_ = true;
        return bufferEnd_ > 0;
    }
    data_ = buffer_.data();
    bufferEnd_ = static_cast<std::size_t>(in_.rdbuf()->sgetn(buffer_.data(), static_cast<std::streamsize>(buffer_.size())));
    return bufferEnd_ > 0;
}

bool CMicroDataFile::ReadLine() {
    if (!isOpen() || fault_ != LineFault::None) return false;
    if (parsed_) return readParsedLine();
    if (lineCount_ == INT_MAX) {
        fault_ = LineFault::TooManyLines;
        return false;
    }
    line_.clear();
    bool any = false;
    for (;;) {
        if (bufferPos_ == bufferEnd_ && !fill()) break;
        any = true;
        const char* from = data_ + bufferPos_;
        const std::size_t available = bufferEnd_ - bufferPos_;
        const char* newline = static_cast<const char*>(std::memchr(from, '\n', available));
        const std::size_t n = newline ? static_cast<std::size_t>(newline - from) : available;
        if (std::memchr(from, '\0', n)) {
            fault_ = LineFault::NotText;
            line_.clear();
            return false;
        }
        // One character beyond the limit is room for the CR of a CR LF end.
        if (line_.size() + n > MaxLineLength + 1) {
            fault_ = LineFault::TooLong;
            line_.clear();
            return false;
        }
        line_.append(from, n);
        bufferPos_ += newline ? n + 1 : n;
        if (newline) break;
    }
    if (!any) return false;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (line_.size() > MaxLineLength) {
        fault_ = LineFault::TooLong;
        line_.clear();
        return false;
    }
    ++lineCount_;
    tokenPos_ = 0;
    return true;
}

bool CMicroDataFile::readParsedLine() {
    // The parsing read the text with ReadLine: its lines and its fault are these.
    if (parsedLine_ >= parsed_->lineCount()) {
        fault_ = parsed_->fault;
        return false;
    }
    const ParsedMicrodata::LineStart& from = parsed_->lines[parsedLine_];
    const ParsedMicrodata::LineStart& to = parsed_->lines[parsedLine_ + 1];
    parsedNext_ = parsed_->tokens.data() + from.token;
    parsedEnd_ = parsed_->tokens.data() + to.token;
    nextOdd_ = from.odd;
    ++parsedLine_;
    ++lineCount_;
    return true;
}

bool CMicroDataFile::takeParsed(std::int32_t& value) {
    if (parsedNext_ == parsedEnd_) {
        tokenStatus_ = TokenStatus::Missing;
        return false;
    }
    value = *parsedNext_++;
    tokenStatus_ = TokenStatus::Ok;
    return true;
}

bool CMicroDataFile::parsedInt(int& out) {
    std::int32_t v = 0;
    if (!takeParsed(v)) return false;
    if (v == OddTokenMarker) {
        const ParsedMicrodata::OddToken& odd = parsed_->odd[nextOdd_++];
        tokenStatus_ = odd.integerStatus;
        v = odd.integer;
    }
    if (tokenStatus_ == TokenStatus::Ok) out = v;
    return tokenStatus_ == TokenStatus::Ok;
}

bool CMicroDataFile::parsedDouble(double& out) {
    std::int32_t v = 0;
    if (!takeParsed(v)) return false;
    if (v != OddTokenMarker) {
        out = static_cast<double>(v);
        return true;
    }
    const ParsedMicrodata::OddToken& odd = parsed_->odd[nextOdd_++];
    tokenStatus_ = odd.numberStatus;
    if (tokenStatus_ == TokenStatus::Ok) out = odd.number;
    return tokenStatus_ == TokenStatus::Ok;
}

std::string CMicroDataFile::openFailureText() const {
    return format("File %s could not be opened, cause = %d", path_.c_str(), openCause_);
}

std::string CMicroDataFile::faultText() const {
    switch (fault_) {
    case LineFault::None: return std::string();
    case LineFault::TooLong:
        return format("Line %d of %s is longer than %zu characters", lineCount_ + 1, path_.c_str(),
                      MaxLineLength);
    case LineFault::NotText: return format("Line %d of %s is not text", lineCount_ + 1, path_.c_str());
    case LineFault::TooManyLines: return format("%s has more than %d lines", path_.c_str(), INT_MAX);
    }
    return std::string();
}

bool CMicroDataFile::nextToken() {
    const std::size_t n = line_.size();
    std::size_t i = tokenPos_;
    while (i < n && line_[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < n && line_[i] != ' ') ++i;
    tokenPos_ = i;
    tokenStart_ = start;
    return i != start;
}

bool CMicroDataFile::takeInt(int& out) {
    // nextToken and the token's leading number in one pass: a plain number
    // (an optional sign and at most 18 digits, no overflow) is read here as
    // strtoll reads it; anything else goes to strtoll itself.
    const char* const line = line_.data();
    const std::size_t n = line_.size();
    std::size_t i = tokenPos_;
    while (i < n && line[i] == ' ') ++i;
    const std::size_t start = i;
    const bool negative = i < n && line[i] == '-';
    if (i < n && (line[i] == '-' || line[i] == '+')) ++i;
    const std::size_t digits = i;
    long long plain = 0;
    while (i < n && isDigit(line[i]) && i - digits < 18) plain = plain * 10 + (line[i++] - '0');
    const bool isPlain = i != digits && !(i < n && isDigit(line[i]));
    while (i < n && line[i] != ' ') ++i;
    tokenStart_ = start;
    tokenPos_ = i;
    if (i == start) {
        // A parsed file has no line text: its tokens not taken inline come
        // here, which costs the reading of text nothing on its way.
        if (parsed_) return parsedInt(out);
        tokenStatus_ = TokenStatus::Missing;
        return false;
    }
    int v = 0;
    if (isPlain) {
        if (negative) plain = -plain;
        tokenStatus_ = plain < INT_MIN || plain > INT_MAX ? TokenStatus::Bad : TokenStatus::Ok;
        v = static_cast<int>(plain);
    } else {
        token_.assign(line + start, i - start);
        tokenStatus_ = tokenToInt(token_, v);
    }
    if (tokenStatus_ != TokenStatus::Ok) return false;
    out = v;
    return true;
}

bool CMicroDataFile::takeDouble(double& out) {
    if (!nextToken()) {
        if (parsed_) return parsedDouble(out);
        tokenStatus_ = TokenStatus::Missing;
        return false;
    }
    const char* token = line_.data() + tokenStart_;
    double v = 0.0;
    if (plainDouble(token, line_.data() + tokenPos_, v)) {
        tokenStatus_ = TokenStatus::Ok;
    } else {
        token_.assign(token, tokenPos_ - tokenStart_);
        tokenStatus_ = tokenToDouble(token_, v);
    }
    if (tokenStatus_ != TokenStatus::Ok) return false;
    out = v;
    return true;
}

TokenStatus tokenToInt(const std::string& token, int& out) {
    const char* begin = token.c_str();
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(begin, &end, 10);
    if (end == begin) return TokenStatus::Bad;
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return TokenStatus::Bad;
    out = static_cast<int>(v);
    return TokenStatus::Ok;
}

TokenStatus tokenToDouble(const std::string& token, double& out) {
    const char* begin = token.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v)) return TokenStatus::Bad;
    out = v;
    return TokenStatus::Ok;
}

} // namespace kov
