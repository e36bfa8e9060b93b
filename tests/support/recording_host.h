#pragma once
// Keeps every message for assertions; can be told to cancel after n pumps.
#include "base/host.h"

#include <gtest/gtest.h>

#include <vector>

namespace kov {

class RecordingHost final : public Host {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        Location where; ///< empty for a message about no place
    };
    std::vector<Message> messages;
    std::vector<std::string> statuses;
    std::vector<std::string> prompts;
    long pumps = 0;
    long cancelAfterPumps = -1; ///< -1: never cancel

    void message(const std::string& text, MessageIcon icon) override { messages.push_back({text, icon, {}}); }
    void messageAt(const std::string& text, MessageIcon icon, const Location& where) override {
        messages.push_back({text, icon, where});
    }
    void status(const std::string& text) override { statuses.push_back(text); }
    void prompt(const std::string& text) override { prompts.push_back(text); }
    bool pump() override {
        ++pumps;
        return cancelAfterPumps >= 0 && pumps > cancelAfterPumps;
    }

    /// All message texts joined by '|' (handy in failure output).
    std::string joined() const {
        std::string s;
        for (const auto& m : messages) {
            if (!s.empty()) s += '|';
            s += m.text;
        }
        return s;
    }
    /// The place told with the first message of this text; empty when none.
    std::string whereOf(const std::string& text) const {
        for (const auto& m : messages)
            if (m.text == text) return m.where.text();
        return {};
    }
    /// The text of the only message, which must carry this icon; "" when there is not exactly one.
    std::string only(MessageIcon icon = MessageIcon::Stop) const {
        EXPECT_EQ(messages.size(), 1u) << joined();
        if (messages.size() != 1) return {};
        EXPECT_EQ(messages[0].icon, icon) << messages[0].text;
        return messages[0].text;
    }
    bool saw(const std::string& text) const {
        for (const auto& m : messages)
            if (m.text == text) return true;
        return false;
    }
};

} // namespace kov
