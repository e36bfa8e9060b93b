#pragma once
// The person at the other end of a run. The engine never talks to a screen
// directly: the CLI, the desktop application and the tests each implement this.
#include "base/location.h"

#include <string>

namespace kov {

enum class MessageIcon { Plain, Stop };

class Host {
public:
    virtual ~Host() = default;
    /// Modal message with one OK button; returns when the person has read it.
    virtual void message(const std::string& text, MessageIcon icon) = 0;
    /// The same message about a place in the inputs. Hosts that do not show
    /// places apart get the place as the message's last line.
    virtual void messageAt(const std::string& text, MessageIcon icon, const Location& where) {
        message(where.empty() ? text : text + "\n\n" + where.text(), icon);
    }
    /// The run dialog's status line.
    virtual void status(const std::string& text) = 0;
    /// The run dialog's prompt line.
    virtual void prompt(const std::string& text) = 0;
    /// Cases (or stock lines) done so far; total is 0 when unknown.
    virtual void progress(long done, long total) { (void)done; (void)total; }
    /// Lets pending user events run; true when the person asked the run to stop.
    virtual bool pump() = 0;
};

/// Says nothing, never cancels.
class NullHost final : public Host {
public:
    void message(const std::string&, MessageIcon) override {}
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }
};

} // namespace kov
