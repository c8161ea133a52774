#pragma once

#include <filesystem>
#include <string>

// Where the program keeps parametr.txt, pathpdf.txt and raport.txt.
namespace kod {

// A file that an installation puts beside the executable: that directory is shared and stays
// untouched, even when the user could write to it.
inline constexpr const char* kInstalledMarker = "varmi.installed";

struct AppDirectoryChoice {
    std::filesystem::path dir;
    bool perUser = false; // the user's own directory rather than the executable's
    std::string error;    // a Polish message when no directory could be prepared
};

// The last catalogue copied from the executable's directory into the user's: tells a copy the user
// never changed from one the user edited.
inline constexpr const char* kDeliveredCatalogue = ".parametr-dostarczony.txt";

// The executable's directory when it is writable and not an installed copy; otherwise userDir,
// created when missing. The executable's parametr.txt is copied there when the user's directory
// has none, and again when the package's catalogue changed and the user's copy is still the one
// last delivered; a catalogue the user changed is kept.
AppDirectoryChoice ChooseAppDirectory(const std::filesystem::path& exeDir,
                                      const std::filesystem::path& userDir);

// True when appDir holds a parametr.txt other than the one in exeDir (the user's own catalogue).
bool CatalogueDiffers(const std::filesystem::path& appDir, const std::filesystem::path& exeDir);

// True when a file can be created in dir (tried with a probe that is removed again).
bool IsWritableDirectory(const std::filesystem::path& dir);

} // namespace kod
