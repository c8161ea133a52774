#include "core/AppDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

class AppDirectoryTest : public ::testing::Test {
protected:
    fs::path root_, exe_, user_;
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("varmi-appdir-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        exe_ = root_ / "lib" / "varmi";
        user_ = root_ / "home" / ".local" / "share" / "varmi";
        fs::create_directories(exe_);
        Write(exe_ / "parametr.txt", "bundled");
    }
    void TearDown() override { fs::remove_all(root_); }
};

TEST_F(AppDirectoryTest, WritableBuildDirectoryStays) {
    const kod::AppDirectoryChoice c = kod::ChooseAppDirectory(exe_, user_);
    EXPECT_EQ(c.dir, exe_);
    EXPECT_FALSE(c.perUser);
    EXPECT_TRUE(c.error.empty());
    EXPECT_FALSE(fs::exists(user_)); // nothing made for the user
    EXPECT_FALSE(fs::exists(exe_ / ".varmi-probe"));
}

// An installed copy works in the user's directory, with the bundled catalogue copied there once.
TEST_F(AppDirectoryTest, InstalledCopyUsesTheUsersDirectory) {
    Write(exe_ / kod::kInstalledMarker, "");
    kod::AppDirectoryChoice c = kod::ChooseAppDirectory(exe_, user_);
    EXPECT_EQ(c.dir, user_);
    EXPECT_TRUE(c.perUser);
    EXPECT_TRUE(c.error.empty()) << c.error;
    EXPECT_EQ(Read(user_ / "parametr.txt"), "bundled");
    EXPECT_FALSE(fs::exists(user_ / "parametr.txt.tmp"));

    // The user's own catalogue is never overwritten.
    Write(user_ / "parametr.txt", "mine");
    c = kod::ChooseAppDirectory(exe_, user_);
    EXPECT_EQ(Read(user_ / "parametr.txt"), "mine");
}

TEST_F(AppDirectoryTest, FailuresAreReportedWithTheDirectory) {
    Write(exe_ / kod::kInstalledMarker, "");
    // The user's directory cannot be made: a file stands in its parent's place.
    fs::create_directories(user_.parent_path().parent_path());
    Write(user_.parent_path(), "a file");
    kod::AppDirectoryChoice c = kod::ChooseAppDirectory(exe_, user_);
    EXPECT_NE(c.error.find("Nie można utworzyć katalogu danych programu"), std::string::npos);
    EXPECT_NE(c.error.find(user_.string()), std::string::npos);

    // No bundled catalogue to copy.
    fs::remove(user_.parent_path());
    fs::remove(exe_ / "parametr.txt");
    c = kod::ChooseAppDirectory(exe_, user_);
    EXPECT_NE(c.error.find("Nie można skopiować pliku parametr.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(user_ / "parametr.txt"));
    EXPECT_FALSE(fs::exists(user_ / "parametr.txt.tmp"));
}

} // namespace
