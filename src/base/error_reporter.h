#pragma once
// Where the run is: every operation records its name and an approximate line
// number on entry, so an unexpected fault can still be told to the person.
#include <string>

namespace kov {

struct ErrorReporter {
    const char* m_FunctionName = ""; ///< a literal: recording must cost nothing in the case loop
    int m_LineNumber = 0;
    int m_CaseNumber = 0;

    void record(const char* function, int line) {
        m_FunctionName = function;
        m_LineNumber = line;
    }
    void record(int line) { m_LineNumber = line; }
    /// "Error occurred in function %s, approximate line number %d\nCase number %d"
    std::string text() const;
};

} // namespace kov
