#include "Support.h"

#include "core/FieldReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace kod;
using namespace testing_core;

namespace {

// The fields of tests/data/core_fields.tsv, read as their kinds say.
TEST(FieldReader, CasesOfTheDataFile) {
    std::ifstream file(VARMI_TEST_DATA "/core_fields.tsv");
    int cases = 0;
    for (std::string line; std::getline(file, line); ++cases) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = Fields(line);
        FieldReader reader(f[1]);
        std::string read;
        for (char kind : f[0]) {
            const auto text = kind == 'T' ? reader.NextText() : std::nullopt;
            const auto number = kind == 'N' ? reader.NextNumber() : std::nullopt;
            read += (read.empty() ? "" : "|") + (text     ? *text
                                                 : number ? (std::ostringstream() << *number).str()
                                                          : "~");
        }
        EXPECT_EQ(f[2], read) << line;
    }
    EXPECT_GT(cases, 10);
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

// One row of quoted fields per line, then the numbers 1.010 .. 1.032 one per line; Windows-1250.
std::string Catalogue(const ParamTableType& table, const std::string& lineEnd = "\r\n") {
    std::string text;
    for (const auto& row : table)
        for (std::size_t c = 0; c < row.size(); ++c)
            text += "\"" + row[c] + (c + 1 < row.size() ? "\"," : "\"" + lineEnd);
    for (int i = 10; i <= 32; ++i)
        text += "1.0" + std::to_string(i) + lineEnd;
    return ToCp1250(text);
}

class Loading : public ::testing::Test {
protected:
    void SetUp() override {
        ParamTableType table{};
        table[0][0] = "sentinel"; // module data that no load produces
        SetCatalogue(table, SeriesType{-7});
        PdfPath = "unchanged";
    }
    // Loads the catalogue; the message of a LoadError, or "" after success.
    std::string Load(const std::string& catalogue, const DriveSystem& drives = cdRoms) {
        if (catalogue == "missing")
            fs::remove(dir.path / "parametr.txt");
        else
            WriteBytes(dir.path / "parametr.txt", catalogue);
        try {
            LoadParameters(dir.path, drives);
        } catch (const LoadError& e) {
            return e.what();
        }
        return "";
    }
    TempDir dir;
    fs::path pdfFile = dir.path / "pathpdf.txt";
    const ParamTableType sample = SampleTable();
    const std::string natural = Catalogue(sample);
    static inline const FakeDrives cdRoms{{{"C:\\", false}, {"D:\\", true}, {"E:\\", true}}};
};

TEST_F(Loading, ReadsTheTableTheSeriesAndTheModelValues) {
    const std::string tail(20 * 1024 * 1024, 'x'); // what follows field 119 is never read
    for (const std::string& bytes : {natural, Catalogue(sample, "\n") + tail}) {
        ASSERT_EQ("", Load(bytes));
        EXPECT_EQ(sample, ParamTable);
        EXPECT_EQ((std::tuple(1.010, 1.020, 1.032)),
                  std::tuple(ParamSeries[0], ParamSeries[10], ParamSeries[22]));
        // Model m's cell of row r is "r.(m + 1)"; row 0 holds the designations, which read as 0.
        for (int r = 0; r < kParamRows; ++r)
            for (int m = 0; m < kModelCount; ++m)
                EXPECT_DOUBLE_EQ(r == 0 ? 0 : r + (m + 1) / 10.0, ModelValue(r, m)) << r << m;
        EXPECT_TRUE(std::isnan(ModelValue(16, 0)) && std::isnan(ModelValue(3, 4)));
        EXPECT_EQ("orv2.40", ModelName(2));
        EXPECT_EQ("dopuszczalny przepływ wody grzejnej G1dop w [kg/s]", ResultLabels[0]);
        EXPECT_EQ("komentarz do wyników", ResultLabels[15]);
    }
}

// A file that cannot be read, is short, or holds a field longer than any catalogue text (64 KiB),
// and a pathpdf.txt that can be neither read nor written, stop the load with a message naming the
// file; nothing of the module data changes and no temporary file is left.
TEST_F(Loading, FailuresChangeNothing) {
    const std::string cut = natural.substr(0, natural.find("1.014")); // 96 texts and 4 numbers
    std::string endless = natural, digits = natural;
    endless.insert(endless.find("\"Parametr") + 1, std::string(70000, 'a'));
    digits.replace(digits.find("1.010"), 5, std::string(70000, '1'));
    const std::pair<std::string, std::string> cases[] = {
        {cut, "parametr.txt (" + dir.path.string() +
                  "/parametr.txt) jest niekompletny: zawiera 100 z 119"},
        {"", "zawiera 0 z 119"},
        {endless, "zawiera 1 z 119"},
        {digits, "zawiera 96 z 119"},
        {"missing",
         "Nie można odczytać pliku parametr.txt (" + dir.path.string() + "/parametr.txt)"},
        {"directory", "Nie można zapisać pliku pathpdf.txt (" + pdfFile.string() + ")"},
        {"read-only", "Plik pathpdf.txt (" + pdfFile.string() + ") jest pusty i tylko do odczytu"},
    };
    for (const auto& [bytes, message] : cases) {
        fs::remove_all(pdfFile);
        if (bytes == "directory")
            fs::create_directory(pdfFile);
        if (bytes == "read-only")
            WriteBytes(pdfFile, ""), fs::permissions(pdfFile, fs::perms::owner_read);
        const std::string got =
            Load(bytes == "directory" || bytes == "read-only" ? natural : bytes);
        EXPECT_NE(std::string::npos, got.find(message)) << got;
        EXPECT_EQ("sentinel", ParamTable[0][0]);
        EXPECT_EQ(-7, ParamSeries[0]);
        EXPECT_EQ("unchanged", PdfPath);
        EXPECT_FALSE(fs::exists(dir.path / "pathpdf.txt.tmp"));
    }
}

// A missing or empty pathpdf.txt takes the first CD-ROM whose root can be stored and read back
// (no double quote, only Windows-1250 characters), else the fallback root, and is written; an
// existing one is read as it is and left untouched.
TEST_F(Loading, PdfPathFromTheFileOrTheFirstStorableCdRom) {
    const FakeDrives odd{{{"/media/a\"b/", true}, {"/media/\xE6\x96\x87/", true}, {"/cd/", true}}};
    const FakeDrives onlyOdd{{{"/media/a\"b/", true}, {"A:\\", false}}};
    const std::tuple<const char*, const DriveSystem*, std::string> cases[] = {
        {nullptr, &cdRoms, "D:\\"},
        {"", &odd, "/cd/"},
        {"\r\n", &onlyOdd, "C:\\"},
        {"\"\"\r\n", &cdRoms, "D:\\"}};
    for (const auto& [old, drives, root] : cases) {
        fs::remove(pdfFile);
        if (old)
            WriteBytes(pdfFile, old);
        ASSERT_EQ("", Load(natural, *drives));
        EXPECT_EQ(root, PdfPath);
        EXPECT_EQ("\"" + root + "\"\r\n", ReadBytes(pdfFile));
        EXPECT_EQ(drives == &odd ? 2u : drives == &onlyOdd, SkippedDrives.size()) << root;
    }
    const std::pair<std::string, std::string> files[] = {
        {"\"E:\\Opisy\"", "E:\\Opisy"},                   // no separator added, no line end needed
        {"/media/p\xB3yta, ignored\r\n", "/media/płyta"}, // unquoted, Windows-1250 ł
    };
    for (const auto& [bytes, path] : files) {
        WriteBytes(pdfFile, bytes);
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
        fs::last_write_time(pdfFile, old);
        Load(natural);
        EXPECT_EQ(path, PdfPath);
        EXPECT_EQ(bytes, ReadBytes(pdfFile));
        EXPECT_EQ(old, fs::last_write_time(pdfFile));
    }
}

// pathpdf.txt is replaced whole or not at all; one the user made read-only stays as it is.
TEST_F(Loading, PdfPathFileIsReplacedWholeOrLeftAlone) {
    EXPECT_EQ(PdfPathWrite::Written, WritePdfPathFile(dir.path, "/srv/płyta/"));
    EXPECT_EQ("\"/srv/p\xB3yta/\"\r\n", ReadBytes(pdfFile));
    EXPECT_EQ(PdfPathWrite::Unstorable, WritePdfPathFile(dir.path, "/a\"b/"));
    EXPECT_EQ(PdfPathWrite::Unstorable, WritePdfPathFile(dir.path, "/\xE6\x96\x87/"));
    fs::permissions(pdfFile, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(PdfPathWrite::ReadOnly, WritePdfPathFile(dir.path, "/inna/"));
    EXPECT_EQ("\"/srv/p\xB3yta/\"\r\n", ReadBytes(pdfFile));
    EXPECT_FALSE(fs::exists(dir.path / "pathpdf.txt.tmp"));
}

TEST(DrivesFromMountTable, RealVolumesWithCdRomsMarked) {
    std::vector<std::string> roots; // CD-ROMs marked with *
    for (const Drive& d : DrivesFromMountTable("proc /proc proc rw 0 0\n"
                                               "/dev/vda1 / ext4 rw,relatime 0 0\n"
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
