#pragma once
// A reader's messages passed on with the file it reads: a message that names
// no place is about that file, a place given by a path names the file the
// configuration gives for it. The readers know paths; the person knows names.
#include "base/host.h"

#include <string>
#include <utility>
#include <vector>

namespace kov {

class InputFileHost final : public Host {
public:
    InputFileHost(Host& host, std::string path, std::string fileName) : host_(host) {
        alsoReads(std::move(path), std::move(fileName));
    }
    /// A further file the same reader reads.
    void alsoReads(std::string path, std::string fileName) {
        files_.emplace_back(std::move(path), std::move(fileName));
    }

    void message(const std::string& text, MessageIcon icon) override {
        host_.messageAt(text, icon, Location{files_.front().second, 0, {}, {}});
    }
    void messageAt(const std::string& text, MessageIcon icon, const Location& where) override {
        Location w = where;
        if (w.file.empty()) w.file = files_.front().second;
        for (const auto& [path, name] : files_)
            if (w.file == path) w.file = name;
        host_.messageAt(text, icon, w);
    }
    void status(const std::string& text) override { host_.status(text); }
    void prompt(const std::string& text) override { host_.prompt(text); }
    void progress(long done, long total) override { host_.progress(done, total); }
    bool pump() override { return host_.pump(); }

private:
    Host& host_;
    std::vector<std::pair<std::string, std::string>> files_; ///< path and configured name; the first is the default
};

} // namespace kov
