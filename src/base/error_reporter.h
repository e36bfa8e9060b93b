#pragma once
// Where the run is: every operation records its name and an approximate line
// number on entry, so an unexpected fault can still be told to the person.
// Recording is allowed on a const run: writers that only read a finished run
// still leave their breadcrumb.
#include <string>

namespace kov {

struct ErrorReporter {
    mutable const char* m_FunctionName = ""; ///< a literal: recording must cost nothing in the case loop
    mutable int m_LineNumber = 0;
    int m_CaseNumber = 0;

    void record(const char* function, int line) const {
        m_FunctionName = function;
        m_LineNumber = line;
    }
    void record(int line) const { m_LineNumber = line; }
    /// "Error occurred in function %s, approximate line number %d\nCase number %d"
    std::string text() const;
};

} // namespace kov
