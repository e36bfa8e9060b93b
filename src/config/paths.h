#pragma once
// Joining the data directory and a configured file name.
#include <string>

namespace kov {

/// data directory + "/" + name; a backslash inside the name is a separator too.
/// An absolute name (starting with '/') is used as it stands.
std::string dataPath(const std::string& dataDirectory, const std::string& name);

/// The folder part of a path ("." when there is none).
std::string folderOf(const std::string& path);

} // namespace kov
