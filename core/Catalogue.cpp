#include "core/Catalogue.h"

#include "core/Cp1250.h"
#include "core/FieldReader.h"
#include "core/Numbers.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>

namespace kod {

namespace {

ParamTableType paramTable;
SeriesType paramSeries{};
// Val of each model cell, parsed once: the searches read them thousands of times.
std::array<std::array<double, kModelCount>, kParamRows> modelValues{};

} // namespace

const ParamTableType& ParamTable = paramTable;
const SeriesType& ParamSeries = paramSeries;

namespace {

namespace fs = std::filesystem;

const char* const kParameterFile = "parametr.txt";
const char* const kPdfPathFile = "pathpdf.txt";

// No sane catalogue text is longer than this; a longer field makes the file incomplete.
constexpr std::size_t kMaxFieldBytes = 64 * 1024;
constexpr int kCatalogueFields = kParamRows * kParamColumns + kSeriesSize; // 119
// The 119 fields at their longest, with room for separators: nothing beyond is ever needed.
constexpr std::size_t kMaxCatalogueBytes = (kCatalogueFields + 1) * (kMaxFieldBytes + 64);

// The first `limit` bytes of the file (all of a smaller one), or nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const fs::path& file,
                                         std::size_t limit = kMaxCatalogueBytes) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char chunk[64 * 1024];
    while (bytes.size() < limit && in) {
        in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, limit - bytes.size())));
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::string PathText(const fs::path& file) {
    return file.string();
}

struct Catalogue {
    ParamTableType table;
    SeriesType series{};
};

Catalogue ReadCatalogue(const fs::path& file) {
    std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes)
        throw LoadError("Nie można odczytać pliku parametr.txt (" + PathText(file) +
                        "). Program zostanie zakończony.");
    std::string text = FromCp1250(*bytes);
    FieldReader reader(text);
    Catalogue c;
    int found = 0;
    auto shortFile = [&] {
        return LoadError("Plik parametr.txt (" + PathText(file) + ") jest niekompletny: zawiera " +
                         std::to_string(found) + " z 119 wymaganych pól. Program zostanie " +
                         "zakończony.");
    };
    // A field that runs on too long ends the catalogue there, as the end of the file would.
    std::size_t start = 0;
    auto tooLong = [&] {
        const bool longer = reader.Position() - start > kMaxFieldBytes;
        start = reader.Position();
        return longer;
    };
    for (auto& row : c.table) {
        for (auto& cell : row) {
            std::optional<std::string> field = reader.NextText();
            if (!field || tooLong())
                throw shortFile();
            cell = std::move(*field);
            ++found;
        }
    }
    for (double& value : c.series) {
        std::optional<double> number = reader.NextNumber();
        if (!number || tooLong())
            throw shortFile();
        value = *number;
        ++found;
    }
    return c;
}

// What start-up found in pathpdf.txt: the directory, or why there is none.
struct PdfPathFile {
    enum State { Read, Missing, Empty, NoPermission, Unreadable, Directory } state = Missing;
    std::optional<std::string> path;
};

// A file whose owner may not read it counts as unreadable even for root, as IsReadOnlyFile does
// for writing: the user's choice is what matters.
PdfPathFile ReadPdfPath(const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found)
        return {PdfPathFile::Missing, {}};
    if (fs::is_directory(status))
        return {PdfPathFile::Directory, {}};
    if (ec)
        return {PdfPathFile::Unreadable, {}};
    if ((status.permissions() & fs::perms::owner_read) == fs::perms::none)
        return {PdfPathFile::NoPermission, {}};
    std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes)
        return {PdfPathFile::Unreadable, {}};
    std::string text = FromCp1250(*bytes);
    std::optional<std::string> field = FieldReader(text).NextText();
    if (!field || field->empty())
        return {PdfPathFile::Empty, {}};
    return {PdfPathFile::Read, std::move(field)};
}

// The start-up message when the fallback directory could not be stored either.
std::string PdfPathFailure(const fs::path& file, PdfPathFile::State found, PdfPathWrite written,
                           const std::string& reason) {
    const std::string name = "Plik pathpdf.txt (" + PathText(file) + ")";
    const std::string end = " Program zostanie zakończony.";
    switch (found) {
    case PdfPathFile::Directory:
        return "W miejscu pliku pathpdf.txt (" + PathText(file) + ") jest katalog." + end;
    case PdfPathFile::NoPermission:
        return written == PdfPathWrite::ReadOnly
                   ? "Brak uprawnień do odczytu i zapisu pliku pathpdf.txt (" + PathText(file) +
                         ")." + end
                   : "Brak uprawnień do odczytu pliku pathpdf.txt (" + PathText(file) +
                         "), a nowego nie można zapisać." + end;
    case PdfPathFile::Unreadable:
        return "Nie można odczytać pliku pathpdf.txt (" + PathText(file) + ") ani go zastąpić." +
               end;
    case PdfPathFile::Empty:
        if (written == PdfPathWrite::ReadOnly)
            return name + " jest pusty i tylko do odczytu." + end;
        break;
    case PdfPathFile::Read:
    case PdfPathFile::Missing:
        break;
    }
    return "Nie można zapisać pliku pathpdf.txt (" + PathText(file) + "). " + reason + end;
}

// The first CD-ROM whose root can be stored in pathpdf.txt, else the fallback root; the CD-ROMs
// passed over go to `skipped`.
std::string FallbackPdfPath(const DriveSystem& drives, std::vector<std::string>& skipped) {
    for (const Drive& d : drives.Drives()) {
        if (!d.cdrom)
            continue;
        if (IsStorablePath(d.root))
            return d.root;
        skipped.push_back(d.root);
    }
    return drives.FallbackRoot();
}

} // namespace

const std::string& ModelName(int m) {
    static const std::string none;
    if (m < 0 || m >= kModelCount)
        return none;
    return ParamTable[0][static_cast<std::size_t>(m + 2)];
}

double ModelValue(int row, int m) {
    if (m < 0 || m >= kModelCount || row < 0 || row >= kParamRows)
        return std::numeric_limits<double>::quiet_NaN();
    return modelValues[static_cast<std::size_t>(row)][static_cast<std::size_t>(m)];
}

void SetCatalogue(ParamTableType table, const SeriesType& series) {
    for (std::size_t r = 0; r < table.size(); ++r)
        for (std::size_t m = 0; m < kModelCount; ++m)
            modelValues[r][m] = Val(table[r][m + 2]);
    paramTable = std::move(table);
    paramSeries = series;
}

void SetResultLabels() {
    ResultLabels = {
        "dopuszczalny przepływ wody grzejnej G1dop w [kg/s]",
        "dopuszczalny przepływ wody ogrzewanej G2dop w [kg/s]",
        "wymagany przepływ wody grzejnej G1 w [kg/s]",
        "wymagany przepływ wody ogrzewanej G2 w [kg/s]",
        "stosunek wymaganego do dopuszczalnego przepływu wody grzejnej",
        "stosunek wymaganego do dopuszczalnego przepływu wody ogrzewanej",
        "ilość wymienników i",
        "rzeczywisty przepływ wody grzejnej w jednym wymienniku Gr1 w [kg/s]",
        "rzeczywisty przepływ wody ogrzewanej w jednym wymienniku Gr2 w [kg/s]",
        "rzeczywisty opór przepływu wody grzejnej dP1 w [kPa]",
        "rzeczywisty opór przepływu wody ogrzewanej dP2 w [kPa]",
        "wymagany współczynnik przenikania ciepła",
        "współczynnik przenikania ciepła dla warunków eksploatacyjnych",
        "względny nadmiar współczynnika przenikania w %",
        "temperatura wyjściowa wody grzejnej T12",
        "komentarz do wyników",
    };
}

bool IsStorablePath(const std::string& path) {
    return path.find('"') == std::string::npos && FromCp1250(ToCp1250(path)) == path;
}

PdfPathWrite WritePdfPathFile(const fs::path& appDir, const std::string& path,
                              std::string* reason) {
    if (!IsStorablePath(path))
        return PdfPathWrite::Unstorable;
    const std::string target = (appDir / kPdfPathFile).string();
    const bool readOnly = IsReadOnlyFile(target);
    int error = EPERM;
    if (!readOnly && WriteFileDurably(target, '"' + ToCp1250(path) + "\"\r\n", &error))
        return PdfPathWrite::Written;
    if (reason)
        *reason = WriteErrorText(error);
    return readOnly ? PdfPathWrite::ReadOnly : PdfPathWrite::Failed;
}

void LoadParameters(const fs::path& appDir, const DriveSystem& drives) {
    Catalogue catalogue = ReadCatalogue(appDir / kParameterFile);

    const fs::path pdfPathFile = appDir / kPdfPathFile;
    PdfPathFile found = ReadPdfPath(pdfPathFile);
    std::optional<std::string> pdfPath = std::move(found.path);
    std::vector<std::string> skipped;
    if (!pdfPath) {
        pdfPath = FallbackPdfPath(drives, skipped);
        std::string reason = "Sprawdź, czy katalog programu nie jest tylko do odczytu.";
        const PdfPathWrite written = WritePdfPathFile(appDir, *pdfPath, &reason);
        if (written != PdfPathWrite::Written)
            throw LoadError(PdfPathFailure(pdfPathFile, found.state, written, reason));
    }

    SetCatalogue(std::move(catalogue.table), catalogue.series);
    SetResultLabels();
    PdfPath = std::move(*pdfPath);
    SkippedDrives = std::move(skipped);
}

void LoadCatalogue(const fs::path& file) {
    Catalogue catalogue = ReadCatalogue(file);
    SetCatalogue(std::move(catalogue.table), catalogue.series);
    SetResultLabels();
}

} // namespace kod
