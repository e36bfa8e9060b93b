// Help for the person: every setup field explains itself with its unit, trend
// weights show their calendar years and Help Topics opens the guide. (What a
// file error's code means is told in the run dialog's test.)
#include "config/run_configuration.h"
#include "engine/programs.h"
#include "ui/demo_copy.h"
#include "ui/field_store.h"
#include "ui/help_window.h"
#include "ui/main_frame.h"
#include "ui/scripted_prompts.h"
#include "ui/setup_dialog.h"
#include "ui/shown_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace kov::ui {
namespace {

using test::ScriptedPrompts;

TEST(Help, EverySetupFieldHasATooltipWithItsUnit) {
    RunConfiguration cfg;
    cfg.SetDefaults();
    ConfigStore config(cfg);
    Program program;
    ProgramStore programStore(program);
    ScriptedPrompts prompts;
    const std::pair<DialogSpec, FieldStore*> dialogs[] = {
        {releaseParametersSpec(), &config}, {sanctionParametersSpec(), &config}, {runParametersSpec(), &config},
        {trendWeightsSpec(), &config},      {runTitleSpec(), &config},           {breakdownTablesSpec(), &config},
        {probabilityTablesSpec(), &config}, {programParametersSpec(), &programStore}};
    for (const auto& [spec, store] : dialogs) {
        SetupDialog d(spec, *store, prompts);
        for (int i = 0; i < static_cast<int>(spec.fields.size()); ++i) {
            const FieldSpec& f = spec.fields[static_cast<std::size_t>(i)];
            QWidget* field = d.edit(i) ? static_cast<QWidget*>(d.edit(i)) : d.checkBox(i);
            ASSERT_NE(field, nullptr) << f.label.toStdString();
            const QString tip = field->toolTip();
            EXPECT_FALSE(tip.isEmpty()) << spec.title.toStdString() << ": " << f.label.toStdString();
            if (f.kind == FieldKind::Probability) {
                EXPECT_TRUE(tip.contains(QStringLiteral("0 to 1"))) << f.label.toStdString();
            }
            if (f.label.startsWith(QStringLiteral("Length"))) {
                EXPECT_TRUE(tip.contains(QStringLiteral("onths")) || tip.contains(QStringLiteral("ays")))
                    << f.label.toStdString();
            }
        }
    }
}

TEST(Help, TrendWeightsShowTheirYearsAndHelpTopicsOpensTheGuide) {
    test::Demo demo;
    ScriptedPrompts prompts;
    CMainFrame frame(prompts);
    ASSERT_TRUE(frame.loadConfiguration(demo.kov()));
    frame.configuration().setValue(SecRun, FirstSimulatedYearKey, "2025");
    std::set<int> years;
    test::whenShown<SetupDialog>([&years](SetupDialog& d) {
        for (const QLabel* l : d.findChildren<QLabel*>())
            if (bool number = false; l->text().toInt(&number), number) years.insert(l->text().toInt());
        d.reject();
    });
    frame.action(QStringLiteral("setupTrend"))->trigger();
    std::set<int> expected; // fifteen backup years before 2025, fifteen simulated from it
    for (int y = 2010; y < 2040; ++y) expected.insert(y);
    EXPECT_EQ(years, expected);

    frame.action(QStringLiteral("helpTopics"))->trigger();
    const auto* help = frame.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString guide = help->browser()->toPlainText();
    for (const char* task : {"Open the demonstration", "Change a parameter", "Run", "Read the outputs", "Edit a grid cell"})
        EXPECT_TRUE(guide.contains(QString::fromLatin1(task))) << task;
}

} // namespace
} // namespace kov::ui
