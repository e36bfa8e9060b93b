#pragma once
// Reading numbers typed into boxes: the whole text must be the number.
#include <QString>

namespace kov::ui {

/// A finite decimal number ("0.25", "-1", "1e-3", ".5"), blanks around it
/// allowed; false for anything else ("abc", "0,5", "nan", "inf", "0x1", "").
bool parseDecimal(const QString& text, double& value);
/// A whole number with an optional sign, blanks around it allowed.
bool parseInteger(const QString& text, long& value);
/// parseDecimal and 0 <= value <= 1.
bool isProbability(const QString& text);

} // namespace kov::ui
