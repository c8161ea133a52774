// The start-up load on any parametr.txt and pathpdf.txt (the input split at its first NUL): it
// loads or refuses with a message, leaves no temporary file, and a good load loads again alike.
#include "core/Catalogue.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace fs = std::filesystem;
    const fs::path& dir = fuzz::WorkDir();
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const std::size_t split = nul ? std::size_t(static_cast<const char*>(nul) - bytes) : size;
    std::ofstream(dir / "parametr.txt", std::ios::binary).write(bytes, std::streamsize(split));
    std::error_code ec;
    fs::remove(dir / "pathpdf.txt", ec);
    if (nul)
        std::ofstream(dir / "pathpdf.txt", std::ios::binary)
            .write(bytes + split + 1, std::streamsize(size - split - 1));

    const fuzz::NoDrives drives;
    try {
        kod::LoadParameters(dir, drives);
    } catch (const kod::LoadError& e) {
        FUZZ_CHECK(std::strlen(e.what()) > 0 && !fs::exists(dir / "pathpdf.txt.tmp"));
        return 0;
    }
    FUZZ_CHECK(!fs::exists(dir / "pathpdf.txt.tmp"));
    const kod::ParamTableType table = kod::ParamTable;
    const auto series = kod::ParamSeries;
    const std::string pdfPath = kod::PdfPath;
    FUZZ_CHECK(!pdfPath.empty());
    kod::LoadParameters(dir, drives); // pathpdf.txt exists now, whichever way it came
    FUZZ_CHECK(kod::ParamTable == table && kod::PdfPath == pdfPath);
    FUZZ_CHECK(std::memcmp(kod::ParamSeries.data(), series.data(), sizeof series) == 0);
    return 0;
}
