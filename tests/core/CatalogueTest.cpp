#include "Support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kod;
using namespace testing_core;

namespace {

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
        catalogue == "missing" ? (void)fs::remove(dir.path / "parametr.txt")
                               : WriteBytes(dir.path / "parametr.txt", catalogue);
        try {
            LoadParameters(dir.path, drives);
        } catch (const LoadError& e) {
            return e.what();
        }
        return "";
    }
    TempDir dir;
    fs::path pdfFile = dir.path / "pathpdf.txt";
    // Row r holds r, "wielkość r [żółć]" and the model values "r.1" .. "r.4"; 1.010 .. 1.032.
    const std::string natural = ReadBytes(VARMI_TEST_DATA "/core_sample_parametr.txt");
    static inline const FakeDrives cdRoms{{{"C:\\", false}, {"D:\\", true}, {"E:\\", true}}};
};

TEST_F(Loading, ReadsTheTableTheSeriesAndTheModelValues) {
    std::string lineFeeds = natural; // and what follows field 119 is never read
    std::erase(lineFeeds, '\r');
    for (const std::string& bytes : {natural, lineFeeds + std::string(20 << 20, 'x')}) {
        ASSERT_EQ("", Load(bytes));
        EXPECT_EQ(
            (std::tuple("Lp.", "wielkość 7 [żółć]", "orv3.55", "15.4")),
            std::tuple(ParamTable[0][0], ParamTable[7][1], ParamTable[0][5], ParamTable[15][5]));
        EXPECT_EQ((std::tuple(1.010, 1.020, 1.032)),
                  std::tuple(ParamSeries[0], ParamSeries[10], ParamSeries[22]));
        // Model m's cell of row r is "r.(m + 1)"; row 0 holds the designations, which read as 0.
        for (int r = 0; r < kParamRows; ++r)
            for (int m = 0; m < kModelCount; ++m)
                EXPECT_DOUBLE_EQ(r == 0 ? 0 : r + (m + 1) / 10.0, ModelValue(r, m)) << r << m;
        EXPECT_TRUE(std::isnan(ModelValue(16, 0)) && std::isnan(ModelValue(3, 4)));
        EXPECT_EQ("orv2.40", ModelName(2));
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
        {"directory", "W miejscu pliku pathpdf.txt (" + pdfFile.string() + ") jest katalog."},
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
        EXPECT_EQ(std::tuple("sentinel", -7.0, "unchanged"),
                  std::tuple(ParamTable[0][0], ParamSeries[0], PdfPath));
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

} // namespace
