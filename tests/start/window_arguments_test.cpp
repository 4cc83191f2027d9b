#include "start/window_arguments.h"

#include <gtest/gtest.h>

#include "tests/support/cli_run.h"

namespace v5 {
namespace {

using Action = WindowArguments::Action;

WindowArguments parse(std::initializer_list<const char*> words) {
    QStringList arguments;
    for (const char* word : words)
        arguments << QString::fromUtf8(word);
    return parseWindowArguments(arguments);
}

TEST(WindowArguments, ASettingsFileAndTheMenuOptionInAnyOrder) {
    for (const auto& parsed : {parse({"--from-menu", "объект.v5"}), parse({"объект.v5", "--from-menu"})}) {
        EXPECT_EQ(parsed.action, Action::Run);
        EXPECT_EQ(parsed.settingsFile, QStringLiteral("объект.v5"));
        EXPECT_TRUE(parsed.fromMenu);
    }
    const WindowArguments bare = parse({});
    EXPECT_EQ(bare.action, Action::Run);
    EXPECT_TRUE(bare.settingsFile.isEmpty());
    EXPECT_FALSE(bare.fromMenu);
    // After "--" a file may be named like an option.
    EXPECT_EQ(parse({"--", "--from-menu"}).settingsFile, QStringLiteral("--from-menu"));
    EXPECT_FALSE(parse({"--", "--from-menu"}).fromMenu);
}

TEST(WindowArguments, WrongCommandLinesSayWhy) {
    const WindowArguments unknown = parse({"--frm-menu", "site.v5"});
    EXPECT_EQ(unknown.action, Action::Wrong);
    EXPECT_TRUE(unknown.problem.contains(QStringLiteral("--frm-menu")));
    EXPECT_EQ(parse({"a.v5", "b.v5"}).action, Action::Wrong);
}

TEST(WindowArguments, HelpAndVersion) {
    EXPECT_EQ(parse({"site.v5", "--help"}).action, Action::Help);
    EXPECT_EQ(parse({"-h"}).action, Action::Help);
    EXPECT_EQ(parse({"--version", "--help"}).action, Action::Help);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);
    EXPECT_TRUE(windowHelpText().contains(QStringLiteral("--from-menu")));
}

TEST(Version, EveryProgramTellsTheProjectsVersion) {
    EXPECT_EQ(windowVersionText(), QStringLiteral("v5ivez " V5_PROJECT_VERSION "\n"));
    for (const char* asked : {"version", "--version"}) {
        const test::CliRun run = test::runCli({QString::fromLatin1(asked)});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.text(), QStringLiteral("v5ivez-cli " V5_PROJECT_VERSION "\n"));
    }
}

}  // namespace
}  // namespace v5
