#include "Support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kod;
using namespace testing_core;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to); // throws if `from` is missing
}

// Row r holds r, a caption with Polish letters and the model values "r.1" .. "r.4".
ParamTableType SampleTable() {
    ParamTableType t;
    for (int r = 0; r < kParamRows; ++r) {
        const std::string s = std::to_string(r);
        t[r] = {s, "wielkość " + s + " [żółć]", s + ".1", s + ".2", s + ".3", s + ".4"};
    }
    t[0] = {"Lp.", "Parametr / typ", "orv2.14", "orv1.22", "orv2.40", "orv3.55"};
    return t;
}

// One row of quoted fields per line, then the numbers 1.010 .. 1.032 one per line; CR LF.
std::string NaturalLayout(const ParamTableType& table) {
    std::string text;
    for (const auto& row : table)
        for (std::size_t c = 0; c < row.size(); ++c)
            text += "\"" + row[c] + (c + 1 < row.size() ? "\"," : "\"\r\n");
    for (int i = 10; i <= 32; ++i)
        text += "1.0" + std::to_string(i) + "\r\n";
    return ToCp1250(text);
}

class Loading : public ::testing::Test {
protected:
    void SetUp() override {
        ParamTableType table{};
        table[0][0] = "sentinel"; // module data that no load produces
        table[3][2] = "-7";
        SeriesType series;
        series.fill(-7);
        SetCatalogue(table, series);
        PdfPath = "unchanged";
    }
    // Loads the catalogue; the message of a LoadError, or "" after success.
    std::string Load(const std::string& catalogue, const DriveSystem& drives = cdRoms) {
        WriteBytes(dir.path / "parametr.txt", catalogue);
        try {
            LoadParameters(dir.path, drives);
        } catch (const LoadError& e) {
            return e.what();
        }
        return "";
    }
    void ExpectUntouched() {
        EXPECT_EQ("sentinel", ParamTable[0][0]);
        EXPECT_EQ(-7, ParamSeries[0]);
        EXPECT_EQ(-7, ModelValue(3, 0));
        EXPECT_EQ("unchanged", PdfPath);
    }
    TempDir dir;
    ParamTableType sample = SampleTable();
    std::string natural = NaturalLayout(sample);
    static inline const FakeDrives cdRoms{
        {{"A:\\", false}, {"C:\\", false}, {"D:\\", true}, {"E:\\", true}}};
    static inline const FakeDrives noCdRom{{{"A:\\", false}, {"C:\\", false}}};
};

TEST_F(Loading, LayoutsHoldingTheSame119FieldsReadTheSame) {
    const std::pair<const char*, std::string> layouts[] = {
        {"natural", natural},
        {"row split over lines", Replace(natural, "\"3.1\",", "\"3.1\"\r\n")},
        {"numbers sharing a line", Replace(natural, "1.010\r\n1.011\r\n", " 1.010 ,\t1.011\n")},
        {"text after a quote, trailing blanks",
         Replace(natural, "\"orv1.22\",\"orv2.40\"", "\"orv1.22\" ignored, orv2.40  \t")},
        {"text after field 119", natural + "1.5,\"reszta\"\r\n,,\r\nzbędne"},
    };
    for (const auto& [name, bytes] : layouts) {
        EXPECT_EQ("", Load(bytes)) << name;
        EXPECT_EQ(sample, ParamTable) << name; // converted from Windows-1250
        EXPECT_DOUBLE_EQ(1.010, ParamSeries[0]) << name;
        EXPECT_DOUBLE_EQ(1.020, ParamSeries[10]) << name;
        EXPECT_DOUBLE_EQ(1.032, ParamSeries[22]) << name;
    }
    // Model m's cell of row r is "r.(m + 1)"; row 0 holds the designations, which read as 0.
    for (int r = 0; r < kParamRows; ++r) {
        for (int m = 0; m < kModelCount; ++m) {
            const std::string& cell = ParamTable[r][m + 2];
            EXPECT_EQ(Val(cell), ModelValue(r, m)) << r << ' ' << m; // exactly, no other parse
            EXPECT_DOUBLE_EQ(r == 0 ? 0 : r + (m + 1) / 10.0, ModelValue(r, m)) << cell;
        }
    }
}

// The calculations read the numbers parsed when the catalogue was set, by the catalogue's Val:
// blanks skipped anywhere, "." the only separator, a text without a number 0.
TEST(SetCatalogue, ParsesEveryModelCellOnce) {
    const std::pair<const char*, double> cells[] = {
        {"2 8", 28}, {"- 5", -5}, {"1,5", 1}, {"", 0}, {"orv2.14", 0}, {"1D2", 100}, {" .5e1", 5}};
    ParamTableType table{};
    for (int i = 0; i < 7; ++i)
        table[3 + i / 4 * 6][2 + i % 4] = cells[i].first; // rows 3 and 9, columns 2..5
    const SeriesType series{1.5, 2.5};
    SetCatalogue(table, series);
    EXPECT_EQ(table, ParamTable); // the text stays for the windows
    EXPECT_EQ(series, ParamSeries);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(cells[i].second, ModelValue(3 + i / 4 * 6, i % 4)) << cells[i].first;
    EXPECT_EQ(0, ModelValue(15, 3));
    EXPECT_TRUE(std::isnan(ModelValue(16, 0)) && std::isnan(ModelValue(3, 4)));
    table[3][2] = "7"; // a new catalogue replaces every number
    SetCatalogue(table, series);
    EXPECT_EQ(7, ModelValue(3, 0));
}

TEST_F(Loading, CommasInsideAndOutsideQuotes) {
    sample[0][1] = "Parametr, typ";
    sample[9][3] = "0,25"; // a decimal comma
    Load(NaturalLayout(sample));
    EXPECT_EQ("Parametr, typ", ParamTable[0][1]);
    EXPECT_EQ("0,25", ParamTable[9][3]); // stored unchanged
    EXPECT_EQ(0.0, ModelValue(9, 1));    // and used as 0: the number ends at the comma
    EXPECT_DOUBLE_EQ(1.032, ParamSeries[22]);
    // Unquoted, it splits the value in two and every later field moves on by one.
    Load(Replace(natural, "\"9.2\"", "0,25"));
    EXPECT_EQ("0", ParamTable[9][3]);
    EXPECT_EQ("25", ParamTable[9][4]);
    EXPECT_EQ("15.3", ParamTable[15][5]);     // the old column 4
    EXPECT_DOUBLE_EQ(15.4, ParamSeries[0]);   // the last text field read as a number
    EXPECT_DOUBLE_EQ(1.031, ParamSeries[22]); // the last number is no longer read
}

TEST_F(Loading, AShortOrMissingFileFailsAndChangesNothing) {
    // Cut after the 100th field: 96 texts and 4 numbers.
    const std::string message = Load(natural.substr(0, natural.find("1.014\r\n")));
    EXPECT_NE(std::string::npos, message.find("parametr.txt")) << message;
    EXPECT_NE(std::string::npos, message.find("100")) << message;
    EXPECT_NE("", Load(""));
    fs::remove(dir.path / "parametr.txt");
    EXPECT_THROW(LoadParameters(dir.path, cdRoms), LoadError);
    ExpectUntouched();
    EXPECT_FALSE(fs::exists(dir.path / "pathpdf.txt")); // nothing written either
}

TEST_F(Loading, MissingOrEmptyPdfPathTakesTheFirstCdRomOrTheFallback) {
    for (const char* old : {"", "\r\n", "\"\"\r\n", static_cast<const char*>(nullptr)}) {
        for (const auto* drives : {&cdRoms, &noCdRom}) {
            const std::string root = drives == &cdRoms ? "D:\\" : "C:\\";
            fs::remove(dir.path / "pathpdf.txt");
            if (old)
                WriteBytes(dir.path / "pathpdf.txt", old);
            Load(natural, *drives);
            EXPECT_EQ(root, PdfPath);
            EXPECT_EQ("\"" + root + "\"\r\n", ReadBytes(dir.path / "pathpdf.txt"));
        }
    }
    EXPECT_FALSE(fs::exists(dir.path / "pathpdf.txt.tmp"));
}

TEST_F(Loading, AnExistingPdfPathIsReadUnchangedAndNotRewritten) {
    const std::pair<std::string, std::string> files[] = {
        {"\"E:\\Opisy\"", "E:\\Opisy"},                   // no separator added, no line end needed
        {"/media/p\xB3yta, ignored\r\n", "/media/płyta"}, // unquoted, Windows-1250 ł
    };
    for (const auto& [bytes, path] : files) {
        WriteBytes(dir.path / "pathpdf.txt", bytes);
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
        fs::last_write_time(dir.path / "pathpdf.txt", old);
        Load(natural);
        EXPECT_EQ(path, PdfPath);
        EXPECT_EQ(bytes, ReadBytes(dir.path / "pathpdf.txt"));
        EXPECT_EQ(old, fs::last_write_time(dir.path / "pathpdf.txt"));
    }
}

TEST_F(Loading, AnUnwritablePdfPathFailsTheLoad) {
    // A directory in its place can be neither read nor replaced.
    fs::create_directory(dir.path / "pathpdf.txt");
    const std::string message = Load(natural);
    EXPECT_NE(std::string::npos, message.find("pathpdf.txt")) << message;
    ExpectUntouched();
    EXPECT_FALSE(fs::exists(dir.path / "pathpdf.txt.tmp"));
}

// The reader needs the first 119 fields only: what follows them is never read, whatever its size,
// and a field longer than any catalogue text (64 KiB) makes the file incomplete.
TEST_F(Loading, OnlyTheFieldsAreReadAndNoFieldIsEndless) {
    // Field 2 (row 0, column 1) holds 70 000 characters: 1 field read, then the cut.
    const std::string endless =
        Replace(natural, "\"Lp.\",", "\"Lp.\",\"" + std::string(70000, 'a'));
    const std::string message = Load(endless);
    EXPECT_NE(std::string::npos, message.find("niekompletny: zawiera 1 z 119")) << message;
    // A number that never ends is no better: the 97th field (the first number) made of digits.
    const std::string digits = Replace(natural, "1.010\r\n", std::string(70000, '1') + "\r\n");
    EXPECT_NE(std::string::npos, Load(digits).find("zawiera 96 z 119"));
    ExpectUntouched();

    const std::string tail(20 * 1024 * 1024, 'x'); // 20 MiB past field 119
    EXPECT_EQ("", Load(natural + "\r\n" + tail));
    EXPECT_EQ(sample, ParamTable);
    EXPECT_DOUBLE_EQ(1.032, ParamSeries[22]);
}

// A CD-ROM whose root cannot be written to pathpdf.txt and read back (a double quote, a letter
// outside Windows-1250) is passed over for the next one, or the fallback root, and remembered.
TEST_F(Loading, UnstorableCdRomRootsArePassedOver) {
    const FakeDrives odd{{{"/media/a\"b/", true}, {"/media/\xE6\x96\x87/", true}, {"/cd/", true}}};
    EXPECT_EQ("", Load(natural, odd));
    EXPECT_EQ("/cd/", PdfPath);
    EXPECT_EQ("\"/cd/\"\r\n", ReadBytes(dir.path / "pathpdf.txt"));
    EXPECT_EQ((std::vector<std::string>{"/media/a\"b/", "/media/\xE6\x96\x87/"}), SkippedDrives);
    fs::remove(dir.path / "pathpdf.txt");
    const FakeDrives onlyOdd{{{"/media/a\"b/", true}}};
    EXPECT_EQ("", Load(natural, onlyOdd));
    EXPECT_EQ("C:\\", PdfPath);
}

// pathpdf.txt is replaced whole or not at all; one the user made read-only stays as it is.
TEST_F(Loading, PdfPathFileIsReplacedWholeOrLeftAlone) {
    EXPECT_EQ(PdfPathWrite::Written, WritePdfPathFile(dir.path, "/srv/pdf/"));
    EXPECT_EQ("\"/srv/pdf/\"\r\n", ReadBytes(dir.path / "pathpdf.txt"));
    EXPECT_EQ(PdfPathWrite::Unstorable, WritePdfPathFile(dir.path, "/a\"b/"));
    EXPECT_EQ(PdfPathWrite::Unstorable, WritePdfPathFile(dir.path, "/\xE6\x96\x87/"));
    fs::permissions(dir.path / "pathpdf.txt", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(PdfPathWrite::ReadOnly, WritePdfPathFile(dir.path, "/inna/"));
    EXPECT_EQ("\"/srv/pdf/\"\r\n", ReadBytes(dir.path / "pathpdf.txt"));
    // An empty read-only file stops the start-up with its own message.
    fs::permissions(dir.path / "pathpdf.txt", fs::perms::owner_write, fs::perm_options::add);
    WriteBytes(dir.path / "pathpdf.txt", "");
    fs::permissions(dir.path / "pathpdf.txt", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_NE(std::string::npos, Load(natural).find("tylko do odczytu"));
    ExpectUntouched();
    EXPECT_FALSE(fs::exists(dir.path / "pathpdf.txt.tmp"));
}

TEST(DrivesFromMountTable, RealVolumesWithCdRomsMarked) {
    std::vector<std::string> roots; // CD-ROMs marked with *
    for (const Drive& d : DrivesFromMountTable("proc /proc proc rw 0 0\n"
                                               "/dev/vda1 / ext4 rw,relatime 0 0\n"
                                               "/dev/vdc1 /run/user ext4 rw 0 0\n"
                                               "/dev/sr0 /media/cdrom0 iso9660 ro 0 0\n"
                                               "/dev/sdb1 /media/Moje\\040Opisy vfat rw 0 0\n"
                                               "/dev/sdc1 /run/media/ola/DVD udf ro 0 0\n"
                                               "/dev/sdb1 /media/Moje\\040Opisy vfat rw 0 0\n"
                                               "broken line\n"))
        roots.push_back(d.root + (d.cdrom ? "*" : ""));
    // \040 is a blank; a volume mounted twice is listed once.
    const std::vector<std::string> expected = {"/", "/media/cdrom0/*", "/media/Moje Opisy/",
                                               "/run/media/ola/DVD/*"};
    EXPECT_EQ(expected, roots);
    EXPECT_EQ(1u, DrivesFromMountTable("").size()); // the root is always there
}

} // namespace
