#pragma once
// The core's Host for work done outside a run (saving the configuration,
// reading the program files): messages become message boxes, nothing else shows.
#include "base/host.h"
#include "ui/code_meanings.h"
#include "ui/prompts.h"

namespace kov::ui {

class PromptsHost final : public Host {
public:
    PromptsHost(Prompts& prompts, QWidget* parent) : prompts_(prompts), parent_(parent) {}
    void message(const std::string& text, MessageIcon icon) override {
        prompts_.message(parent_, withCodeMeanings(QString::fromStdString(text)), icon == MessageIcon::Stop ? Icon::Stop : Icon::Plain);
    }
    void status(const std::string&) override {}
    void prompt(const std::string&) override {}
    bool pump() override { return false; }

private:
    Prompts& prompts_;
    QWidget* parent_;
};

} // namespace kov::ui
