#include "engine/microdata_file.h"

#include "run/format.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
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

void CMicroDataFile::Close() {
    if (in_.is_open()) in_.close();
    in_.clear();
    line_.clear();
    token_.clear();
    lineCount_ = 0;
    tokenPos_ = 0;
    tokenStatus_ = TokenStatus::Missing;
    fault_ = LineFault::None;
    openCause_ = 0;
}

bool CMicroDataFile::ReadLine() {
    if (!in_.is_open() || fault_ != LineFault::None) return false;
    if (lineCount_ == INT_MAX) {
        fault_ = LineFault::TooManyLines;
        return false;
    }
    std::streambuf* buf = in_.rdbuf();
    using Traits = std::streambuf::traits_type;
    line_.clear();
    bool any = false;
    for (;;) {
        const Traits::int_type c = buf->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) break;
        any = true;
        if (c == '\n') break;
        if (c == '\0') {
            fault_ = LineFault::NotText;
            line_.clear();
            return false;
        }
        // One character beyond the limit is room for the CR of a CR LF end.
        if (line_.size() > MaxLineLength) {
            fault_ = LineFault::TooLong;
            line_.clear();
            return false;
        }
        line_.push_back(Traits::to_char_type(c));
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
    if (i == start) return false;
    token_.assign(line_, start, i - start);
    return true;
}

bool CMicroDataFile::NextInt(int& out) {
    if (!nextToken()) {
        tokenStatus_ = TokenStatus::Missing;
        return false;
    }
    int v = 0;
    tokenStatus_ = tokenToInt(token_, v);
    if (tokenStatus_ != TokenStatus::Ok) return false;
    out = v;
    return true;
}

bool CMicroDataFile::NextDouble(double& out) {
    if (!nextToken()) {
        tokenStatus_ = TokenStatus::Missing;
        return false;
    }
    double v = 0.0;
    tokenStatus_ = tokenToDouble(token_, v);
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
