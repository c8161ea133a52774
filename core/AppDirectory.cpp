#include "core/AppDirectory.h"

#include "core/Platform.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace kod {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadAll(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

} // namespace

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
    const std::optional<std::string> bundled = ReadAll(exeDir / "parametr.txt");
    const std::optional<std::string> own = ReadAll(userDir / "parametr.txt");
    const std::optional<std::string> delivered = ReadAll(userDir / kDeliveredCatalogue);
    auto deliver = [&] {
        // The catalogue first: a stop between the two writes leaves a copy that is still taken
        // for the package's.
        return bundled && WriteFileDurably((userDir / "parametr.txt").string(), *bundled) &&
               WriteFileDurably((userDir / kDeliveredCatalogue).string(), *bundled);
    };
    if (!fs::exists(userDir / "parametr.txt", ec)) {
        if (!deliver())
            choice.error = "Nie można skopiować pliku parametr.txt do katalogu danych programu" +
                           where + " Program zostanie zakończony.";
    } else if (own && bundled && own != bundled && own == delivered) {
        deliver(); // on failure the old catalogue stays in use
    } else if (own && bundled && own == bundled && delivered != bundled) {
        WriteFileDurably((userDir / kDeliveredCatalogue).string(), *bundled);
    }
    return choice;
}

bool CatalogueDiffers(const fs::path& appDir, const fs::path& exeDir) {
    std::error_code ec;
    if (fs::equivalent(appDir, exeDir, ec))
        return false;
    const std::optional<std::string> own = ReadAll(appDir / "parametr.txt");
    const std::optional<std::string> bundled = ReadAll(exeDir / "parametr.txt");
    return own && bundled && own != bundled;
}

} // namespace kod
