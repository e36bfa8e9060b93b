#pragma once
// Placeholder until the court microdata reader lands.
namespace kov {
class CMicroDataFile {
public:
    virtual ~CMicroDataFile() = default;
};
} // namespace kov
