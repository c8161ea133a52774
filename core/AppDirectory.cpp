#include "core/AppDirectory.h"

#include <cstdio>
#include <system_error>

namespace kod {

namespace fs = std::filesystem;

bool IsWritableDirectory(const fs::path& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return false;
    const fs::path probe = dir / ".varmi-probe";
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f)
        return false;
    std::fclose(f);
    fs::remove(probe, ec);
    return true;
}

AppDirectoryChoice ChooseAppDirectory(const fs::path& exeDir, const fs::path& userDir) {
    std::error_code ec;
    if (!fs::exists(exeDir / kInstalledMarker, ec) && IsWritableDirectory(exeDir))
        return {exeDir, false, {}};

    AppDirectoryChoice choice{userDir, true, {}};
    const std::string where = " (" + userDir.string() + ").";
    if (userDir.empty() || (!fs::create_directories(userDir, ec) && ec) ||
        !IsWritableDirectory(userDir)) {
        choice.error =
            "Nie można utworzyć katalogu danych programu" + where + " Program zostanie zakończony.";
        return choice;
    }
    const fs::path catalogue = userDir / "parametr.txt";
    if (!fs::exists(catalogue, ec)) {
        // Copied beside and renamed, so that a failed copy leaves no half a catalogue.
        const fs::path temp = userDir / "parametr.txt.tmp";
        if (!fs::copy_file(exeDir / "parametr.txt", temp, fs::copy_options::overwrite_existing,
                           ec) ||
            (fs::rename(temp, catalogue, ec), ec)) {
            fs::remove(temp, ec);
            choice.error = "Nie można skopiować pliku parametr.txt do katalogu danych programu" +
                           where + " Program zostanie zakończony.";
        }
    }
    return choice;
}

} // namespace kod
