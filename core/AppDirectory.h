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

// The executable's directory when it is writable and not an installed copy; otherwise userDir,
// created when missing, into which the executable's parametr.txt is copied unless the user's
// directory already holds one (a catalogue put there is never overwritten).
AppDirectoryChoice ChooseAppDirectory(const std::filesystem::path& exeDir,
                                      const std::filesystem::path& userDir);

// True when a file can be created in dir (tried with a probe that is removed again).
bool IsWritableDirectory(const std::filesystem::path& dir);

} // namespace kod
