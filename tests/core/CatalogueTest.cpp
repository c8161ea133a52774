#include "TestCatalogue.h"

#include "core/Kod.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kod;
using namespace testing_core;
namespace fs = std::filesystem;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Module data that no load produces, to see whether a failed load touched it.
void MarkModuleData() {
    ParamTable = {};
    ParamTable[0][0] = "sentinel";
    ParamSeries.fill(-7);
    ResultLabels = {};
    PdfPath = "unchanged";
}

void ExpectModuleDataUntouched() {
    EXPECT_EQ("sentinel", ParamTable[0][0]);
    EXPECT_EQ(-7, ParamSeries[0]);
    EXPECT_EQ("", ResultLabels[0]);
    EXPECT_EQ("unchanged", PdfPath);
}

class Loading : public ::testing::Test {
protected:
    void SetUp() override {
        MarkModuleData();
        WriteBytes(dir / "pathpdf.txt", "\"/opisy/\"\r\n");
    }
    void Load(const std::string& catalogueBytes) {
        WriteBytes(dir / "parametr.txt", catalogueBytes);
        LoadParameters(dir.path(), drives);
    }
    TempDir dir;
    FakeDrives drives = WindowsDrivesWithCdRoms();
    Catalogue sample = SampleCatalogue();
    std::string natural = NaturalLayout(sample);
};

TEST_F(Loading, NaturalLayoutFillsTheModuleData) {
    Load(natural);
    EXPECT_EQ(sample.table, ParamTable);
    EXPECT_EQ("Politechnika Łódzka", ParamTable[2][1]); // converted from Windows-1250
    for (int i = 0; i < kSeriesSize; ++i)
        EXPECT_DOUBLE_EQ(1.010 + i / 1000.0, ParamSeries[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ("dopuszczalny przepływ wody grzejnej G1dop w [kg/s]", ResultLabels[0]);
    EXPECT_EQ("komentarz do wyników", ResultLabels[15]);
    EXPECT_EQ("/opisy/", PdfPath);
    EXPECT_EQ("orv1.22", ModelName(1));
    EXPECT_DOUBLE_EQ(9.2, ModelValue(9, 1)); // row 9, column 1 + 2 holds "9.2"
}

// Layouts that differ from the natural one but hold the same 119 fields.
TEST_F(Loading, EquivalentLayoutsReadTheSame) {
    const std::string row3 =
        ToCp1250("\"3\",\"wielkość 3 [żółć]\",\"3.1\",\"3.2\",\"3.3\",\"3.4\"");
    const std::string row3Split =
        ToCp1250("\"3\",\"wielkość 3 [żółć]\",\"3.1\"\r\n\"3.2\",\"3.3\",\"3.4\"");
    const struct {
        const char* name;
        std::function<std::string(std::string)> change;
    } layouts[] = {
        {"row split over two lines", [&](std::string t) { return Replace(t, row3, row3Split); }},
        {"LF line ends", [](std::string t) { return ReplaceAll(t, "\r\n", "\n"); }},
        {"blanks and tabs before fields",
         [](std::string t) { return ReplaceAll(t, ",\"", ", \t \""); }},
        {"text after a closing quote",
         [](std::string t) { return ReplaceAll(t, "\"orv1.22\",", "\"orv1.22\"  ignored,"); }},
        {"unquoted fields lose trailing blanks",
         [](std::string t) { return Replace(t, "\"orv2.40\"", "orv2.40   "); }},
        {"numbers sharing lines",
         [](std::string t) {
             t = Replace(t, "1.010\r\n1.011\r\n1.012\r\n", "1.010,1.011 1.012\r\n");
             return Replace(t, "1.013\r\n1.014\r\n", "  1.013  ,\t1.014\r\n");
         }},
        {"quoted numbers", [](std::string t) { return Replace(t, "1.020\r\n", "\"1.020\"\r\n"); }},
        {"anything after field 119",
         [](std::string t) { return t + "1.5,\"reszta\"\r\n,,\r\nniepotrzebne"; }},
        {"no line end after the last number",
         [](std::string t) { return t.substr(0, t.size() - 2); }},
    };
    for (const auto& layout : layouts) {
        MarkModuleData();
        Load(layout.change(natural));
        EXPECT_EQ(sample.table, ParamTable) << layout.name;
        EXPECT_DOUBLE_EQ(1.010, ParamSeries[0]) << layout.name;
        EXPECT_DOUBLE_EQ(1.020, ParamSeries[10]) << layout.name;
        EXPECT_DOUBLE_EQ(1.032, ParamSeries[22]) << layout.name;
    }
}

TEST_F(Loading, QuotedCommasBelongToTheField) {
    sample.table[0][1] = "Parametr, typ wymiennika";
    sample.table[9][3] = "0,25"; // a decimal comma
    Load(NaturalLayout(sample));
    EXPECT_EQ("Parametr, typ wymiennika", ParamTable[0][1]);
    EXPECT_EQ("0,25", ParamTable[9][3]); // stored unchanged
    EXPECT_EQ(0.0, ModelValue(9, 1));    // and used as 0: the number ends at the comma
    EXPECT_DOUBLE_EQ(1.032, ParamSeries[22]);
}

TEST_F(Loading, AnUnquotedCommaShiftsEveryLaterField) {
    // The caption of row 0 unquoted becomes two fields.
    Load(Replace(natural, "\"Parametr / typ wymiennika\"", "Parametr / typ, wymiennika"));
    EXPECT_EQ("Parametr / typ", ParamTable[0][1]);
    EXPECT_EQ("wymiennika", ParamTable[0][2]);
    EXPECT_EQ("orv2.14", ParamTable[0][3]);
    EXPECT_EQ("orv3.55", ParamTable[1][0]);
    EXPECT_EQ("15.3", ParamTable[15][5]);     // the old column 4 of row 15
    EXPECT_DOUBLE_EQ(15.4, ParamSeries[0]);   // the last text field read as a number
    EXPECT_DOUBLE_EQ(1.031, ParamSeries[22]); // the last number is no longer read

    // A decimal comma outside quotes splits the value in two.
    MarkModuleData();
    Load(Replace(natural, "\"9.2\"", "0,25"));
    EXPECT_EQ("0", ParamTable[9][3]);
    EXPECT_EQ("25", ParamTable[9][4]);
    EXPECT_EQ("9.3", ParamTable[9][5]); // the old column 4: everything moved on by one
    EXPECT_DOUBLE_EQ(1.031, ParamSeries[22]);
}

TEST_F(Loading, EmptyNumericFieldsReadAsZero) {
    Load(Replace(Replace(natural, "1.011\r\n", "\r\n"), "1.015\r\n", " ,"));
    EXPECT_EQ(0.0, ParamSeries[1]);
    EXPECT_EQ(0.0, ParamSeries[5]);
    EXPECT_DOUBLE_EQ(1.016, ParamSeries[6]);
    EXPECT_DOUBLE_EQ(1.032, ParamSeries[22]);
}

TEST_F(Loading, AShortFileFailsAndChangesNothing) {
    // The natural layout cut after the 100th field (96 texts and 4 numbers).
    std::string cut = natural.substr(0, natural.find("1.014\r\n"));
    WriteBytes(dir / "parametr.txt", cut);
    fs::remove(dir / "pathpdf.txt");
    try {
        LoadParameters(dir.path(), drives);
        FAIL() << "no error for a short file";
    } catch (const LoadError& e) {
        const std::string message = e.what();
        EXPECT_NE(std::string::npos, message.find("parametr.txt")) << message;
        EXPECT_NE(std::string::npos, message.find("100")) << message;
    }
    ExpectModuleDataUntouched();
    EXPECT_FALSE(fs::exists(dir / "pathpdf.txt")); // nothing written either

    // Cut inside the text fields.
    WriteBytes(dir / "parametr.txt", natural.substr(0, natural.find("\"orv1.22\"")));
    EXPECT_THROW(LoadParameters(dir.path(), drives), LoadError);
    WriteBytes(dir / "parametr.txt", "");
    EXPECT_THROW(LoadParameters(dir.path(), drives), LoadError);
    ExpectModuleDataUntouched();
}

TEST_F(Loading, AMissingFileFails) {
    try {
        LoadParameters(dir.path(), drives);
        FAIL() << "no error for a missing file";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("parametr.txt"));
    }
    fs::create_directory(dir / "parametr.txt"); // not a file at all
    EXPECT_THROW(LoadParameters(dir.path(), drives), LoadError);
    ExpectModuleDataUntouched();
}

class PdfPathFile : public Loading {
protected:
    void SetUp() override {
        MarkModuleData();
        WriteBytes(dir / "parametr.txt", natural);
    }
    fs::path file() const { return dir / "pathpdf.txt"; }
};

TEST_F(PdfPathFile, MissingFileTakesTheFirstCdRom) {
    LoadParameters(dir.path(), WindowsDrivesWithCdRoms());
    EXPECT_EQ("D:\\", PdfPath);
    EXPECT_EQ("\"D:\\\"\r\n", ReadBytes(file()));
    EXPECT_FALSE(fs::exists(dir / "pathpdf.txt.tmp"));
}

TEST_F(PdfPathFile, WithoutCdRomTheFallbackRoot) {
    LoadParameters(dir.path(), WindowsDrivesWithoutCdRom());
    EXPECT_EQ("C:\\", PdfPath);
    EXPECT_EQ("\"C:\\\"\r\n", ReadBytes(file()));
    // A system with no drives at all still has its fallback.
    fs::remove(file());
    LoadParameters(dir.path(), FakeDrives({}, "/"));
    EXPECT_EQ("/", PdfPath);
    EXPECT_EQ("\"/\"\r\n", ReadBytes(file()));
}

TEST_F(PdfPathFile, EmptyFileIsReplacedByTheFallback) {
    for (const char* empty : {"", "\r\n", "\"\"\r\n"}) {
        WriteBytes(file(), empty);
        LoadParameters(dir.path(), WindowsDrivesWithCdRoms());
        EXPECT_EQ("D:\\", PdfPath);
        EXPECT_EQ("\"D:\\\"\r\n", ReadBytes(file()));
    }
}

TEST_F(PdfPathFile, AnExistingFileIsReadUnchangedAndNotRewritten) {
    const struct {
        std::string bytes;
        std::string path;
    } files[] = {
        {"\"E:\\Opisy\\\"\r\n", "E:\\Opisy\\"},
        {"\"E:\\Opisy\"", "E:\\Opisy"},                // no separator, no line end
        {"\"/media/p\xB3yta/\"\r\n", "/media/płyta/"}, // Windows-1250 ł
        {"/mnt/opisy, ignored\r\n", "/mnt/opisy"},     // unquoted
    };
    for (const auto& f : files) {
        WriteBytes(file(), f.bytes);
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
        fs::last_write_time(file(), old);
        LoadParameters(dir.path(), WindowsDrivesWithCdRoms());
        EXPECT_EQ(f.path, PdfPath);
        EXPECT_EQ(f.bytes, ReadBytes(file()));
        EXPECT_EQ(old, fs::last_write_time(file()));
    }
}

TEST_F(PdfPathFile, AnUnwritableFileFailsTheLoad) {
    // A directory in its place can be neither read nor replaced by the rename.
    fs::create_directory(file());
    try {
        LoadParameters(dir.path(), WindowsDrivesWithCdRoms());
        FAIL() << "no error for an unwritable pathpdf.txt";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("pathpdf.txt")) << e.what();
    }
    ExpectModuleDataUntouched();
    EXPECT_TRUE(fs::is_directory(file()));
    EXPECT_FALSE(fs::exists(dir / "pathpdf.txt.tmp"));
}

TEST_F(PdfPathFile, WriterReplacesTheWholeFile) {
    WriteBytes(file(), "\"/a/very/long/old/path/that/is/longer/than/the/new/one/\"\r\n");
    EXPECT_TRUE(WritePdfPathFile(dir.path(), "/opisy/żółw/"));
    EXPECT_EQ("\"/opisy/\xBF\xF3\xB3w/\"\r\n", ReadBytes(file()));
    // A quote could not be read back: refused, the old file stays.
    EXPECT_FALSE(WritePdfPathFile(dir.path(), "/a\"b/"));
    EXPECT_EQ("\"/opisy/\xBF\xF3\xB3w/\"\r\n", ReadBytes(file()));
    // A directory that does not exist.
    EXPECT_FALSE(WritePdfPathFile(dir / "missing", "/x/"));
}

TEST(SystemDrives, RootFirstEachWithItsSeparator) {
    const std::vector<Drive> drives = SystemDrives().Drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ("/", drives.front().root);
    for (const Drive& d : drives) {
        ASSERT_FALSE(d.root.empty());
        EXPECT_EQ('/', d.root.back()) << d.root;
        EXPECT_NE(0u, d.root.rfind("/proc", 0)) << d.root;
        EXPECT_NE(0u, d.root.rfind("/sys", 0)) << d.root;
    }
    EXPECT_EQ("/", SystemDrives().FallbackRoot());
    EXPECT_EQ("/opisy/", WithTrailingSeparator("/opisy"));
    EXPECT_EQ("/opisy/", WithTrailingSeparator("/opisy/"));
    EXPECT_EQ('/', PathSeparator());
}

} // namespace

namespace {

TEST(DrivesFromMountTable, RealVolumesWithCdRomsMarked) {
    const std::string table = "sysfs /sys sysfs rw,nosuid 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "/dev/vda1 / ext4 rw,relatime 0 0\n"
                              "tmpfs /run tmpfs rw 0 0\n"
                              "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                              "/dev/vdb1 /home ext4 rw 0 0\n"
                              "/dev/sr0 /media/cdrom0 iso9660 ro 0 0\n"
                              "/dev/sdb1 /media/Moje\\040Opisy vfat rw 0 0\n"
                              "/dev/sdc1 /run/media/ola/DVD udf ro 0 0\n"
                              "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
                              "/dev/vdb1 /home ext4 rw 0 0\n"
                              "broken line\n";
    const std::vector<Drive> drives = DrivesFromMountTable(table);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"/", false},
        {"/home/", false},
        {"/media/cdrom0/", true},
        {"/media/Moje Opisy/", false}, // \040 is a blank
        {"/run/media/ola/DVD/", true},
    };
    ASSERT_EQ(expected.size(), drives.size());
    for (std::size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ(expected[i].first, drives[i].root);
        EXPECT_EQ(expected[i].second, drives[i].cdrom) << drives[i].root;
    }
    // An empty table still has the root.
    ASSERT_EQ(1u, DrivesFromMountTable("").size());
}

} // namespace
