#pragma once
// Where in the inputs a message is about: the file's name as the configuration
// gives it, the line and the field, and for a value that points into another
// file, what that file lacks.
#include <string>

namespace kov {

struct Location {
    std::string file;  ///< as configured; empty when not known
    int line = 0;      ///< 1-based; 0 when not known
    std::string field; ///< empty when the line says enough
    std::string note;  ///< the other file of a reference, e.g. "county.inp has 15 counties"

    bool empty() const { return file.empty() && line == 0 && field.empty() && note.empty(); }
    /// "in labels.inp, line 3, field County; county.inp has 15 counties"
    std::string text() const;
};

} // namespace kov
