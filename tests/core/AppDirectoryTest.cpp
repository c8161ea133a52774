#include "Support.h"

#include "core/AppDirectory.h"

#include <gtest/gtest.h>

using namespace testing_core;

namespace {

// A writable build directory stays the program's; an installed copy works in the user's
// directory, with the bundled catalogue copied there once and never over the user's own.
TEST(AppDirectory, BuildDirectoryOrTheUsersCopy) {
    const TempDir root;
    const fs::path exe = root.path / "lib", user = root.path / "home" / "varmi";
    fs::create_directories(exe);
    WriteBytes(exe / "parametr.txt", "bundled");
    kod::AppDirectoryChoice c = kod::ChooseAppDirectory(exe, user);
    EXPECT_EQ(std::tuple(exe, false, std::string()), std::tuple(c.dir, c.perUser, c.error));
    EXPECT_FALSE(fs::exists(user) || fs::exists(exe / ".varmi-probe"));

    WriteBytes(exe / kod::kInstalledMarker, "");
    c = kod::ChooseAppDirectory(exe, user);
    EXPECT_EQ(std::tuple(user, true, std::string()), std::tuple(c.dir, c.perUser, c.error));
    EXPECT_EQ("bundled", ReadBytes(user / "parametr.txt"));
    WriteBytes(user / "parametr.txt", "mine");
    kod::ChooseAppDirectory(exe, user);
    EXPECT_EQ("mine", ReadBytes(user / "parametr.txt"));
    EXPECT_FALSE(fs::exists(user / "parametr.txt.tmp"));
}

TEST(AppDirectory, FailuresAreReportedWithTheDirectory) {
    const TempDir root;
    const fs::path exe = root.path / "lib", user = root.path / "home" / "varmi";
    fs::create_directories(exe);
    WriteBytes(exe / kod::kInstalledMarker, "");
    WriteBytes(root.path / "home", "a file where the parent should be");
    const std::string where = " (" + user.string() + ").";
    EXPECT_EQ("Nie można utworzyć katalogu danych programu" + where +
                  " Program zostanie zakończony.",
              kod::ChooseAppDirectory(exe, user).error);
    fs::remove(root.path / "home"); // now no bundled catalogue to copy
    EXPECT_EQ("Nie można skopiować pliku parametr.txt do katalogu danych programu" + where +
                  " Program zostanie zakończony.",
              kod::ChooseAppDirectory(exe, user).error);
    EXPECT_FALSE(fs::exists(user / "parametr.txt") || fs::exists(user / "parametr.txt.tmp"));
}

} // namespace
