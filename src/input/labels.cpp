#include "input/labels.h"

#include "base/host.h"
#include "input/text_file.h"
#include "input/try_allocate.h"

#include <string>

namespace kov {
namespace {

constexpr std::size_t LabelsLineBuffer = 255;
constexpr std::size_t NameLength = 83;
constexpr std::size_t LabelLength = 15;
/// Far beyond any real classification; a larger count is a damaged file, not a table to allocate.
constexpr int MaxLabelCount = 100000;

std::string cut(std::string s, std::size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

/// Age, sentence length, felony type and jail length are looked up or indexed
/// by group, so they need at least one category.
bool needsCategories(int variable) {
    return variable == VarAge || variable == VarSentenceLength || variable == VarFelonyType ||
           variable == VarJailLength;
}

void stop(Host& host, const std::string& text) { host.message(text, MessageIcon::Stop); }

void stopAt(Host& host, const std::string& text, int line, const std::string& expected) {
    host.messageAt(text, MessageIcon::Stop, Location{{}, line, {}, expected});
}

std::string invalid(int code, int i) {
    return "Labels file invalid, " + std::to_string(code) + ", i = " + std::to_string(i);
}

std::string invalid(int code, int i, int j) { return invalid(code, i) + ", j = " + std::to_string(j); }

} // namespace

bool readLabels(const std::string& path, StateTables& st, Host& host) {
    TextFile file(path);
    if (!file.isOpen()) {
        stop(host, "Unable to open file " + path);
        return false;
    }
    bool failed = false;
    std::string line;
    for (int i = 0; i < VariableCount; ++i) {
        ClassificationVariable& var = st.Values[static_cast<std::size_t>(i)];
        var = ClassificationVariable{};
        // A truncated file still reads the header of every remaining variable,
        // so the end-of-file message appears once for each of them.
        if (!file.readLine(line, LabelsLineBuffer)) {
            stopAt(host, invalid(1, i), file.lineNumber(),
                   "the file ends where the header of variable " + std::to_string(i + 1) + " was expected");
            failed = true;
            continue;
        }
        if (failed) continue;

        std::string name;
        int count = 0;
        if (!parseDotLeaderInt(line, name, count) || count < 0 || count > MaxLabelCount ||
            (count == 0 && needsCategories(i))) {
            stopAt(host, invalid(2, i), file.lastLineNumber(),
                   std::string("expected a title, a dot leader and a number of labels") +
                       (needsCategories(i) ? ", at least 1" : ""));
            failed = true;
            continue;
        }
        var.name = cut(trimBlanks(name), NameLength);
        if (!tryAllocate([&] { var.labelsptr.assign(static_cast<std::size_t>(count), LabelEntry{}); })) {
            stop(host, "Unable to allocate memory for Values[" + std::to_string(i) + "].labelsptr");
            failed = true;
            continue;
        }
        var.count = count;

        for (int j = 0; j < count; ++j) {
            if (!file.readLine(line, LabelsLineBuffer)) {
                stopAt(host, invalid(3, i, j), file.lineNumber(),
                       "the file ends where label " + std::to_string(j + 1) + " of " + var.name + " was expected");
                failed = true;
                break;
            }
            std::string text;
            double value = 0.0;
            if (!parseDotLeaderDouble(line, text, value)) {
                stopAt(host, invalid(4, i, j), file.lastLineNumber(), "expected a label, a dot leader and its value");
                failed = true;
                break;
            }
            LabelEntry& entry = var.labelsptr[static_cast<std::size_t>(j)];
            entry.text = cut(trimBlanks(text), LabelLength);
            entry.value = value;
        }
    }
    return !failed;
}

} // namespace kov
