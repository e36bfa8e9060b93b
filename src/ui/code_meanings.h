#pragma once
// Messages that carry a file error's code ("cause = 2") say what it means.
#include <QString>

namespace kov::ui {

/// text with the meaning of each file-error cause it shows put after the
/// code: "cause = 2" becomes "cause = 2 (No such file or directory)".
/// Everything else of the text stays as it is.
QString withCodeMeanings(const QString& text);

} // namespace kov::ui
