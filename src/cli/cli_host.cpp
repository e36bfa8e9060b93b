#include "cli/cli_host.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace kov::cli {
namespace {
volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }
} // namespace

void installInterruptHandler() {
    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
}

bool interruptRequested() { return interrupted != 0; }

CliHost::CliHost() : interactive_(isatty(fileno(stderr)) != 0) {}

CliHost::~CliHost() { finishLine(); }

void CliHost::finishLine() {
    if (lineOpen_) {
        std::fputc('\n', stderr);
        lineOpen_ = false;
    }
}

void CliHost::message(const std::string& text, MessageIcon icon) {
    finishLine();
    ++messages_;
    std::fprintf(stderr, "%s%s\n", icon == MessageIcon::Stop ? "kovary: error: " : "kovary: ", text.c_str());
}

void CliHost::messageAt(const std::string& text, MessageIcon icon, const Location& where) {
    message(text, icon);
    if (!where.empty()) std::fprintf(stderr, "  %s\n", where.text().c_str());
}

void CliHost::status(const std::string& text) {
    status_ = text;
    draw();
}

void CliHost::progress(long done, long total) {
    done_ = done;
    total_ = total;
    draw();
}

void CliHost::draw() {
    if (!interactive_) return;
    constexpr int width = 30;
    std::string bar;
    if (total_ > 0) {
        const long filled = done_ >= total_ ? width : done_ * width / total_;
        bar = "[" + std::string(static_cast<std::size_t>(filled), '#') +
              std::string(static_cast<std::size_t>(width - filled), ' ') + "] ";
    }
    std::fprintf(stderr, "\r\033[K%s%s", bar.c_str(), status_.c_str());
    std::fflush(stderr);
    lineOpen_ = true;
}

bool CliHost::pump() { return interrupted != 0; }

} // namespace kov::cli
