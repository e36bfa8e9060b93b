#include "input/labels.h"

#include "base/host.h"
#include "input/line_scanner.h"
#include "input/text_file.h"

namespace kov {
namespace {

constexpr std::size_t LabelsLineBuffer = 255;

} // namespace

LabelsCheck checkLabelsFile(const std::string& path, const std::string& displayName, Host& host) {
    LabelsCheck result;
    const std::string head = "KOV labels file\n" + displayName;
    const auto tell = [&](const std::string& what, const std::string& todo) {
        host.message(head + what + todo, MessageIcon::Plain);
    };
    TextFile file(path);
    if (!file.isOpen()) {
        tell("\nCould not be opened!", "\nPlease check the name and path in the Set Up Menu.");
        return result;
    }
    std::string line;
    for (int i = 0; i < VariableCount; ++i) {
        if (!file.readLine(line, LabelsLineBuffer)) {
            tell("\nis not correctly structured.", "\nPlease check the data in it.");
            return result;
        }
        // "%[^.] %*s %d": unlike the run's reader, leading blanks belong to the title.
        LineScanner scan(line);
        int count = 0;
        // A negative count would come back to the dialogs as a table size.
        if (!scan.notFullStop(nullptr) || !scan.skipToken() || !scan.integer(count) || count < 0) {
            tell("\nis invalid.", "\nPlease check the data in it.");
            return result;
        }
        for (int j = 0; j < count; ++j) {
            if (!file.readLine(line, LabelsLineBuffer)) {
                tell("\ndoes not have the correct number of lines.", "\nPlease check the data in it.");
                return result;
            }
        }
        if (i == VarFelonyType) result.felonyTypes = count;
        if (i == VarOffense) result.offenses = count;
    }
    result.ok = true;
    return result;
}

} // namespace kov
