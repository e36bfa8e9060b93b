#include "ui/code_meanings.h"

#include <QRegularExpression>

namespace kov::ui {
namespace {

// The file-error causes a failed open reports (see CMicroDataFile).
QString causeMeaning(int cause) {
    switch (cause) {
    case 1: return QStringLiteral("Unspecified error");
    case 2: return QStringLiteral("No such file or directory");
    case 3: return QStringLiteral("Bad path: a folder of it is missing or the name is too long");
    case 4: return QStringLiteral("Too many open files");
    case 5: return QStringLiteral("Permission denied");
    default: return {};
    }
}

} // namespace

QString withCodeMeanings(const QString& text) {
    static const QRegularExpression cause(QStringLiteral("cause = (\\d+)"));
    QString out;
    qsizetype from = 0;
    for (auto it = cause.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedEnd() - from);
        from = m.capturedEnd();
        const QString meaning = causeMeaning(m.captured(1).toInt());
        if (!meaning.isEmpty()) out += QStringLiteral(" (") + meaning + QLatin1Char(')');
    }
    return out + text.mid(from);
}

} // namespace kov::ui
