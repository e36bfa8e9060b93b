#pragma once
// Answers for the person in tests: records every message and question, and
// gives the answers queued beforehand.
#include "ui/prompts.h"

#include <QStringList>

#include <deque>
#include <ostream>

/// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral("|")).toStdString() << ']'; }

namespace kov::ui::test {

class ScriptedPrompts final : public Prompts {
public:
    QStringList messages;
    QStringList questions;
    QStringList externallyOpened;
    QStringList saveCaptions; ///< the caption of every save dialog, in order
    QStringList saveProposals; ///< the proposed path of every save dialog
    std::deque<bool> answers; ///< okCancel answers in order; Cancel when none is left
    std::deque<SaveAnswer> saveAnswers; ///< saveChanges answers in order; Cancel when none is left
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    std::deque<QString> folders;
    bool openExternallyWorks = true;

    void message(QWidget*, const QString& text, Icon) override { messages << text; }
    bool okCancel(QWidget*, const QString& text) override {
        questions << text;
        return take(answers, false);
    }
    SaveAnswer saveChanges(QWidget*, const QString& text) override {
        questions << text;
        return take(saveAnswers, SaveAnswer::Cancel);
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return take(openNames, QString()); }
    QString saveFileName(QWidget*, const QString& proposed, const QString&, const QString&,
                         const QString& caption) override {
        saveProposals << proposed;
        saveCaptions << caption;
        return take(saveNames, QString());
    }
    QString folder(QWidget*, const QString&, const QString&) override { return take(folders, QString()); }
    bool openExternally(const QString& path) override {
        externallyOpened << path;
        return openExternallyWorks;
    }

private:
    template <class T>
    static T take(std::deque<T>& queue, T none) {
        if (queue.empty()) return none;
        T v = queue.front();
        queue.pop_front();
        return v;
    }
};

} // namespace kov::ui::test
