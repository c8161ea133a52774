#include "Support.h"

#include "core/AppDirectory.h"

#include <gtest/gtest.h>

using namespace testing_core;

namespace {

// A writable build directory stays the program's; an installed copy works in the user's
// directory, with the bundled catalogue copied there once and never over the user's own; what
// cannot be made or copied is reported with the directory.
TEST(AppDirectory, BuildDirectoryOrTheUsersCopy) {
    const TempDir root;
    const fs::path exe = root.path / "lib", user = root.path / "home" / "varmi";
    fs::create_directories(exe);
    WriteBytes(exe / "parametr.txt", "bundled");
    kod::AppDirectoryChoice c = kod::ChooseAppDirectory(exe, user);
    EXPECT_EQ(std::tuple(exe, false, std::string()), std::tuple(c.dir, c.perUser, c.error));
    EXPECT_FALSE(fs::exists(user) || fs::exists(exe / ".varmi-probe"));

    WriteBytes(exe / kod::kInstalledMarker, "");
    WriteBytes(root.path / "home", "a file where the parent should be");
    const std::string where = " (" + user.string() + "). Program zostanie zakończony.";
    EXPECT_EQ("Nie można utworzyć katalogu danych programu" + where,
              kod::ChooseAppDirectory(exe, user).error);
    fs::remove(root.path / "home");
    c = kod::ChooseAppDirectory(exe, user);
    EXPECT_EQ(std::tuple(user, true, std::string()), std::tuple(c.dir, c.perUser, c.error));
    EXPECT_EQ("bundled", ReadBytes(user / "parametr.txt"));
    WriteBytes(user / "parametr.txt", "mine");
    fs::remove(exe / "parametr.txt");
    kod::ChooseAppDirectory(exe, user);
    EXPECT_EQ("mine", ReadBytes(user / "parametr.txt"));
    fs::remove(user / "parametr.txt"); // and no bundled catalogue to copy
    EXPECT_EQ("Nie można skopiować pliku parametr.txt do katalogu danych programu" + where,
              kod::ChooseAppDirectory(exe, user).error);
    EXPECT_FALSE(fs::exists(user / "parametr.txt") || fs::exists(user / "parametr.txt.tmp"));
}

} // namespace
