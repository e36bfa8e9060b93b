#include "run/error_reporter.h"

#include "run/format.h"

namespace kov {

std::string ErrorReporter::text() const {
    return format("Error occurred in function %s, approximate line number %d\nCase number %d",
                  m_FunctionName, m_LineNumber, m_CaseNumber);
}

} // namespace kov
