#pragma once
// Sheet names as a workbook accepts them: at most 31 characters, none of
// []:*?/\, no apostrophe at either end, distinct within the workbook (letter
// case ignored). The same wanted names give the same sheet names every time.
#include <string>
#include <vector>

namespace kov::reports {

class SheetNamer {
public:
    /// The name a sheet gets for the wanted one, given every name handed out
    /// before: forbidden characters become '_', the text is cut to 31
    /// characters, and a name already taken ends in "~2", "~3", ... instead.
    std::string name(const std::string& wanted);

private:
    std::vector<std::string> taken_;
};

} // namespace kov::reports
