#pragma once
// Replacing a whole file so that a failure at any point leaves the old one as
// it was: the content goes to a temporary file next to it, every write and the
// close are checked, and only then is the temporary renamed over the target.
#include <string>

namespace kov {

/// Writes content as the new file at path (created when missing). False, with
/// a short reason, when anything failed; the file at path is then untouched.
bool replaceFileContents(const std::string& path, const std::string& content, std::string* reason = nullptr);

} // namespace kov
