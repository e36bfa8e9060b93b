#pragma once
// Fields of one input line read the way the grid and labels formats were
// defined: with scanf-style patterns such as " %15[^.] %*s %d". Each call is
// one conversion; a failed call leaves the position where the pattern would
// have stopped, and the caller gives up on the line.
#include <cstddef>
#include <string>
#include <utility>

namespace kov {

class LineScanner {
public:
    explicit LineScanner(std::string line) : s_(std::move(line)) {}

    /// " ": skips white space.
    void skipBlanks();
    /// "%[^.]" or "%W[^.]": one or more characters other than a full stop, at
    /// most maxWidth of them when maxWidth is not 0. out may be null ("%*[^.]").
    bool notFullStop(std::string* out, std::size_t maxWidth = 0);
    /// " %*s": white space, then one blank-delimited token, dropped.
    bool skipToken();
    /// " %d": clamped to the int range like the other readers do.
    bool integer(int& value);
    /// " %lf".
    bool number(double& value);

private:
    std::string s_;
    std::size_t pos_ = 0;
};

} // namespace kov
