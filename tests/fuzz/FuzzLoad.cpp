// The whole start-up load on any parametr.txt and pathpdf.txt (the input split at the first NUL):
// it loads or refuses with a message, a good load loads again identically, and no temporary file
// is left behind.
#include "core/Catalogue.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

void Write(const std::filesystem::path& file, const char* bytes, std::size_t size) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes, std::streamsize(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace fs = std::filesystem;
    const fs::path& dir = fuzz::WorkDir();
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const std::size_t split = nul ? std::size_t(static_cast<const char*>(nul) - bytes) : size;
    Write(dir / "parametr.txt", bytes, split);
    std::error_code ec;
    fs::remove(dir / "pathpdf.txt", ec);
    if (nul)
        Write(dir / "pathpdf.txt", bytes + split + 1, size - split - 1);

    const fuzz::NoDrives drives;
    bool loaded = false;
    try {
        kod::LoadParameters(dir, drives);
        loaded = true;
    } catch (const kod::LoadError& e) {
        FUZZ_CHECK(std::strlen(e.what()) > 0);
    }
    FUZZ_CHECK(!fs::exists(dir / "pathpdf.txt.tmp"));
    if (loaded) {
        const kod::ParamTableType table = kod::ParamTable;
        const auto series = kod::ParamSeries;
        const std::string pdfPath = kod::PdfPath;
        FUZZ_CHECK(!pdfPath.empty());
        kod::LoadParameters(dir, drives); // pathpdf.txt exists now, whichever way it came
        FUZZ_CHECK(kod::ParamTable == table);
        FUZZ_CHECK(std::memcmp(kod::ParamSeries.data(), series.data(), sizeof series) == 0);
        FUZZ_CHECK(kod::PdfPath == pdfPath);
    }
    return 0;
}
