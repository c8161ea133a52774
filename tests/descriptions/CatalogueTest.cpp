#include "descriptions/ProductCatalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using descriptions::DescriptionFile;
using descriptions::DescriptionPath;
using descriptions::Products;

struct FileCase {
    const char* key;
    const char* file;
};

class DescriptionFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(DescriptionFileTest, KeyGivesItsFile) {
    EXPECT_EQ(DescriptionFile(GetParam().key), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DescriptionFileTest,
    ::testing::Values(FileCase{"orv", "Orv.pdf"},               // a capital first letter
                      FileCase{"wezly", "Wezly.pdf"},           // the other one
                      FileCase{"odgazowywacze", "odgaz.pdf"},   // shorter than its key
                      FileCase{"plytowe", "plytowe.pdf"},       // the key and ".pdf"
                      FileCase{"regulatory", "regulatory.pdf"}, // the last button
                      FileCase{"izolacje", "izolacje.pdf"},     // the key without a button
                      FileCase{"", ""},                         // no key, no file
                      FileCase{"ORV", ""},                      // keys are compared exactly
                      FileCase{"orv ", ""},
                      FileCase{"wyjście", ""})); // the exit button is no product

TEST(ProductCatalogue, TwentyProductsNineteenButtons) {
    std::set<std::string> keys, files;
    int buttons = 0, namedAfterKey = 0, capitalised = 0, shorter = 0;
    for (const descriptions::Product& p : Products()) {
        const std::string key = p.key, file = p.file;
        keys.insert(key);
        files.insert(file);
        buttons += *p.picture != 0;
        EXPECT_NE(std::string(p.toolTip), "") << key;
        if (file == key + ".pdf") {
            ++namedAfterKey;
        } else if (file.size() == key.size() + 4 && file[0] == key[0] - 'a' + 'A' &&
                   file.substr(1) == key.substr(1) + ".pdf") {
            ++capitalised;
        } else if (file.size() < key.size() + 4 && file.ends_with(".pdf") &&
                   key.starts_with(file.substr(0, file.size() - 4))) {
            ++shorter;
        }
    }
    EXPECT_EQ(Products().size(), 20u);
    EXPECT_EQ(keys.size(), 20u);
    EXPECT_EQ(files.size(), 20u);
    EXPECT_EQ(buttons, 19);
    EXPECT_EQ(namedAfterKey, 17);
    EXPECT_EQ(capitalised, 2);
    EXPECT_EQ(shorter, 1);
}

struct PathCase {
    const char* name;
    bool testMode;
    const char* pdfPath;
    const char* path;
};

class DescriptionPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DescriptionPathTest, DirectoryThenName) {
    const PathCase& c = GetParam();
    EXPECT_EQ(DescriptionPath(c.name, c.testMode, c.pdfPath), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DescriptionPathTest,
    ::testing::Values(PathCase{"Orv.pdf", false, "/media/cdrom/", "/media/cdrom/Orv.pdf"},
                      // As held: no separator is added.
                      PathCase{"Orv.pdf", false, "/srv/opisy", "/srv/opisyOrv.pdf"},
                      // Test mode reads the fixed development directory whatever the setting.
                      PathCase{"Orv.pdf", true, "/media/cdrom/", "/zelko/varmi/pdf/Orv.pdf"},
                      PathCase{"odgaz.pdf", true, "", "/zelko/varmi/pdf/odgaz.pdf"},
                      PathCase{"", false, "/srv/opisy/", "/srv/opisy/"}));

TEST(MissingDescriptionText, NamesTheFileAndTheDirectoryAsHeld) {
    EXPECT_EQ(descriptions::MissingDescriptionText("Orv.pdf", "/media/cdrom/"),
              "Nie ma pliku <<Orv.pdf>> w katalogu /media/cdrom/ w menu <<Ustawienia>> wybierz "
              "właściwy katalog z plikami .pdf");
    EXPECT_EQ(descriptions::MissingDescriptionText("", "/srv/opisy"),
              "Nie ma pliku <<>> w katalogu /srv/opisy w menu <<Ustawienia>> wybierz właściwy "
              "katalog z plikami .pdf");
}

} // namespace
