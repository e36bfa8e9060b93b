#include "ui/configuration_kind.h"

#include "config/run_configuration.h"

#include <QFile>
#include <QStringList>

namespace kov::ui {
namespace {

// A configuration names its sections near the top; this much settles it.
constexpr qint64 SniffBytes = 256 * 1024;

bool isSectionLine(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return false;
    const QString name = t.mid(1, t.size() - 2).trimmed();
    if (name.compare(QLatin1String("TITLE"), Qt::CaseInsensitive) == 0) return true;
    for (const char* section : RunConfiguration::SectionNames)
        if (name.compare(QLatin1String(section), Qt::CaseInsensitive) == 0) return true;
    return false;
}

/// The kinds of input a person is likely to pick by mistake, by their first line.
QString looksLike(const QString& first, const QString& text) {
    if (first.contains(QLatin1String("stock releases by month"), Qt::CaseInsensitive))
        return QStringLiteral("a stock tables input file");
    if (first.contains(QLatin1String("grid tables"), Qt::CaseInsensitive))
        return QStringLiteral("a sentencing grid file");
    if (text.contains(QLatin1String("Misdemeanor probability")) ||
        text.contains(QLatin1String("Postprison residential treatment")))
        return QStringLiteral("a probability file");
    return QStringLiteral("another kind of file");
}

} // namespace

QString notConfigurationReason(const QString& path) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromLatin1(file.read(SniffBytes));
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString first;
    for (const QString& line : lines) {
        if (isSectionLine(line)) return {};
        if (first.isEmpty()) first = line.trimmed();
    }
    const QString intro = path + QStringLiteral("\nis not a configuration file: it has none of the "
                                                "configuration's sections, such as [INPUT/OUTPUT FILES].\n");
    if (first.isEmpty()) return intro + QStringLiteral("It is empty.");
    return intro + QStringLiteral("It looks like ") + looksLike(first, text) + QStringLiteral(" (its first line is \"") +
           first.left(60) + QStringLiteral("\").");
}

} // namespace kov::ui
