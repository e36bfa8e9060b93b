#pragma once
// The command line's side of a run: messages on stderr, a one-line progress
// bar when stderr is a terminal, and Ctrl-C as the run dialog's Cancel.
#include "base/host.h"

#include <string>

namespace kov::cli {

class CliHost final : public Host {
public:
    CliHost();
    ~CliHost() override;
    CliHost(const CliHost&) = delete;
    CliHost& operator=(const CliHost&) = delete;

    void message(const std::string& text, MessageIcon icon) override;
    /// The message, then the place on a line of its own: "  in labels.inp, line 3".
    void messageAt(const std::string& text, MessageIcon icon, const Location& where) override;
    void status(const std::string& text) override;
    void prompt(const std::string&) override {}
    void progress(long done, long total) override;
    bool pump() override;

    int messageCount() const { return messages_; }
    /// Ends the progress line, if one is showing.
    void finishLine();

private:
    void draw();
    bool interactive_;
    bool lineOpen_ = false;
    int messages_ = 0;
    long done_ = 0, total_ = 0;
    std::string status_;
};

/// Installs the Ctrl-C handler that makes pump() report a cancel.
void installInterruptHandler();
/// True once Ctrl-C was pressed.
bool interruptRequested();

} // namespace kov::cli
