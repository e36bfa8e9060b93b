#include "base/error_reporter.h"

#include "base/format.h"

namespace kov {

std::string ErrorReporter::text() const {
    return format("Error occurred in function %s, approximate line number %d\nCase number %d",
                  m_FunctionName, m_LineNumber, m_CaseNumber);
}

} // namespace kov
