#include "Support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kod;
using namespace testing_core;

namespace {

// The log as UTF-8 lines, each of which must end in CR LF.
std::vector<std::string> LogLines(const fs::path& file) {
    std::string text = FromCp1250(ReadBytes(file));
    std::vector<std::string> lines;
    for (std::size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2))
        lines.push_back(text.substr(0, end));
    EXPECT_EQ("", text) << "a last line without CR LF";
    return lines;
}

class LogFile : public ::testing::Test {
protected:
    void SetUp() override { UseModels({.C = 10}); }
    void TearDown() override { Log().Close(); }
    TempDir dir;
    fs::path file = dir.path / "raport.txt";
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
};

TEST_F(LogFile, FirstTrialSuccessWritesTwelveHeaderLinesAndOneTrial) {
    UseModels({.C = 10, .F = 10});
    ASSERT_TRUE(Log().Open(file, '.'));
    Log().WriteSelectionStart();
    Log().WriteSelectionModel(45, 140, 0, true, 20, 15, 150, 40, 100, 200);
    // At t = 45 the ends are 50 and 5 K, ΔT = 45 / ln 10 = 19.54 K; one exchanger (G1 = 0.46
    // kg/s against 20): kw = 200 / (10 · 19.54) = 1.02 < ke = 5.
    FindOutletTemperature(45, 140, 0, true, 20, 15, 150, T12, 40, 100, 200, kw, ke, n, true);
    ASSERT_EQ(45, T12);
    Log().Close();
    const std::string zone2(14, ' '); // values from column 15, the model name from column 43
    const std::vector<std::string> expected = {
        "********  Początek obliczania ***************",
        "       #############   ",
        "Dobór wymiennika dla parametrów:",
        zone2 + "T12min= 45 ",
        zone2 + "T12max= 140 ",
        zone2 + "NrWymiennika= 0 " + std::string(12, ' ') + "orv2.14",
        zone2 + "CO ? =True",
        zone2 + "Dp1= 20 ",
        zone2 + "Dp2= 15 ",
        zone2 + "T11= 150 ",
        zone2 + "T21= 40 ",
        zone2 + "T22= 100 ",
        zone2 + "Q= 200 ",
        "t12= 45 l.wym.= 1           kw=1.023      ke=5.000"};
    EXPECT_EQ(expected, LogLines(file));
}

// The Search fixture's case: one exchanger never suffices on 40..60, two do from t = 46.
TEST_F(LogFile, TraceShowsEveryTemperatureBeforeAnExtraExchanger) {
    ASSERT_TRUE(Log().Open(file, ','));
    FindOutletTemperature(40, 60, 0, true, 100, 100, 100, T12, 20, 60, 320, kw, ke, n, true);
    Log().Close();
    ASSERT_EQ(46, T12);
    const std::vector<std::string> lines = LogLines(file);
    ASSERT_EQ(21u + 3u + 7u, lines.size()); // t = 40..60, the extra header, t = 40..46
    for (int t = 40; t <= 60; ++t)
        EXPECT_EQ(0u, lines[t - 40].find("t12= " + std::to_string(t) + " l.wym.= 1 ")) << t;
    for (int t = 40; t <= 46; ++t)
        EXPECT_EQ(0u, lines[t - 16].find("t12= " + std::to_string(t) + " l.wym.= 2 ")) << t;
    EXPECT_EQ(std::string(21, ' '), lines[21]);
    EXPECT_EQ("Obliczenia dla liczby nadmiarowych wymienników =" + std::string(8, ' ') + " 1 ",
              lines[22]);
    EXPECT_EQ(std::string(21, ' '), lines[23]);
    // Columns 1-4 "t12=", 5-8 " 46 ", 9-15 "l.wym.=", 16-18 " 2 ", kw= from 29, ke= from 43;
    // kw = 320 / (2 · 14 / ln(40/26)) = 4.923, with the comma as separator.
    EXPECT_EQ("t12= 46 l.wym.= 2           kw=4,923      ke=5,000", lines.back());
}

} // namespace

namespace {

// Past the process's file-size limit the log's writes fail and the run is told, as on a full disk;
// the program is not ended by the signal that the limit raises.
TEST(LogFileSizeLimit, FailsTheWriteInsteadOfEndingTheProgram) {
    testing_core::TempDir dir;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        kod::IgnoreFileSizeLimitSignal();
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        kod::CalcLog log;
        log.Open(dir.path / "raport.txt", '.');
        for (int i = 0; i < 2000; ++i)
            log.WriteTrial(45 + i, 1, 1.2, 1.3);
        log.Close();
        ::_exit(log.Failed() ? 3 : 4);
    }
    int status = 0;
    ASSERT_EQ(pid, ::waitpid(pid, &status, 0));
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(3, WEXITSTATUS(status)); // the failure was noticed
    EXPECT_LE(testing_core::ReadBytes(dir.path / "raport.txt").size(), 4096u);
}

} // namespace
