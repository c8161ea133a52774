#include "Support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kod;
using namespace testing_core;

namespace {

// A selection log with the comma as separator, whose search needs one extra exchanger, and the
// printout's headers; tests/data/core_raport.txt holds its header lines as written by hand and its
// trial lines from the Python reference (selection_reference.py --trace), in Windows-1250, CR LF.
TEST(CalcLog, SelectionSearchAndPrintoutLines) {
    LoadTestCatalogue("bundled");
    const TempDir dir;
    ASSERT_TRUE(Log().Open(LogFilePath(dir.path), ','));
    Log().WriteSelectionStart();
    Log().WriteSelectionModel(60, 75, 0, false, 20.5, 15, 150, 40, 100, 100);
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    FindOutletTemperature(60, 75, 0, false, 20.5, 15, 150, T12, 40, 100, 100, kw, ke, n, true);
    Log().WritePrintStart();
    Log().WritePrintModel(3);
    Log().Close();
    // A closed log takes no more lines.
    FindOutletTemperature(60, 75, 0, false, 20.5, 15, 150, T12, 40, 100, 100, kw, ke, n, true);
    EXPECT_FALSE(Log().Failed());
    EXPECT_EQ(ReadBytes(VARMI_TEST_DATA "/core_raport.txt"), ReadBytes(dir.path / "raport.txt"));
}

// Past the process's file-size limit the log's writes fail and the run is told, as on a full disk;
// the program is not ended by the signal that the limit raises.
TEST(CalcLog, FileSizeLimitFailsTheWriteInsteadOfEndingTheProgram) {
    const TempDir dir;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        IgnoreFileSizeLimitSignal();
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        CalcLog log;
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
}

} // namespace
