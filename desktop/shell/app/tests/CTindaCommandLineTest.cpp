#include "desktop/shell/app/CTindaCommandLine.h"

#include <gtest/gtest.h>

namespace {

struct LineCase
{
    const char* name;
    QStringList args;
    CTindaCommandLine::Action action;
    QString project;
    QString outputStart;
};

class CommandLine : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(CommandLine, ReadsWhatTheMerchantTyped)
{
    const LineCase& c = GetParam();
    const CTindaCommandLine line(QStringList{"tinda"} + c.args);
    EXPECT_EQ(line.GetAction(), c.action);
    EXPECT_EQ(line.ProjectFolder(), c.project);
    if (c.outputStart.isEmpty())
        EXPECT_TRUE(line.Output().isEmpty()) << line.Output().toStdString();
    else
        EXPECT_TRUE(line.Output().startsWith(c.outputStart)) << line.Output().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tinda, CommandLine,
    ::testing::Values(LineCase{"Nothing", {}, CTindaCommandLine::Run, "", ""},
                      LineCase{"Help", {"--help"}, CTindaCommandLine::PrintHelp, "", "Uso: tinda"},
                      LineCase{"ShortHelp", {"-h"}, CTindaCommandLine::PrintHelp, "", "Uso: tinda"},
                      LineCase{"Version", {"--version"}, CTindaCommandLine::PrintVersion, "", "Quintaro 5.0"},
                      LineCase{"HelpWinsOverAProject", {"/tmp/x", "--help"}, CTindaCommandLine::PrintHelp, "/tmp/x",
                               "Uso"},
                      LineCase{"ProjectFolder", {"/home/a/negozio"}, CTindaCommandLine::Run, "/home/a/negozio", ""},
                      LineCase{"ProjectOption", {"--project", "/p"}, CTindaCommandLine::Run, "/p", ""},
                      LineCase{"ProjectOptionJoined", {"--project=/p"}, CTindaCommandLine::Run, "/p", ""},
                      LineCase{"QtPlatformOption", {"-platform", "offscreen"}, CTindaCommandLine::Run, "", ""},
                      LineCase{"Unknown", {"--colore"}, CTindaCommandLine::Error, "",
                               "tinda: opzione sconosciuta: --colore"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

} // namespace
