#pragma once

#include "core/Platform.h"

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kod {

inline constexpr int kParamRows = 16;
inline constexpr int kParamColumns = 6;
inline constexpr int kSeriesSize = 23; // mean specific heat at 0, 10, ..., 220 °C
inline constexpr int kModelCount = 4;
inline constexpr int kResultLabelCount = 16;

using ParamTableType = std::array<std::array<std::string, kParamColumns>, kParamRows>;

// Intermediate results of the latest EvaluateExchanger call (flows kg/s, pressure drops kPa).
struct EvaluationRecord {
    double G1dop = 0, G2dop = 0; // permissible flows of the heating and heated water
    double G1 = 0, G2 = 0;       // required flows
    double G1Ratio = 0, G2Ratio = 0;
    double Gr1 = 0, Gr2 = 0; // flow through one exchanger
    double dP1 = 0, dP2 = 0; // real pressure drops
};

using SeriesType = std::array<double, kSeriesSize>;

// Module data. Texts are UTF-8 in memory; files are Windows-1250.
// ParamTable and ParamSeries are read-only views: code that changes the catalogue (LoadParameters,
// tests, benchmarks) must go through SetCatalogue, which also parses the values ModelValue returns.
extern const ParamTableType& ParamTable;                        // catalogue as text, (row, column)
extern const SeriesType& ParamSeries;                           // kcal/(kg·K)
inline std::array<std::string, kResultLabelCount> ResultLabels; // captions of the result rows
inline std::string PdfPath;                                     // directory of the PDF files
inline bool TestMode = false;
inline EvaluationRecord EvaluationResult;
inline std::array<std::string, kModelCount> ResultComments; // verdict per model index

// The model designation of model index m (ParamTable row 0, column m + 2).
const std::string& ModelName(int m);

// Val of ParamTable(row, m + 2), parsed when the catalogue was set; NaN outside the table.
double ModelValue(int row, int m);

// Replaces the catalogue: the text of every cell, the specific heat series and the model values
// parsed from the text (Val, "." as the only separator).
void SetCatalogue(ParamTableType table, const SeriesType& series);

// Thrown by LoadParameters; what() is the Polish message shown to the user (UTF-8).
class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads parametr.txt and pathpdf.txt from appDir, falling back to the first CD-ROM drive when
// pathpdf.txt is missing, empty or unreadable (the file is then created). Sets ParamTable,
// ParamSeries, ResultLabels and PdfPath only when everything succeeded. Throws LoadError.
void LoadParameters(const std::filesystem::path& appDir,
                    const DriveSystem& drives = SystemDrives());

// Loads the catalogue alone from a parametr.txt file: ParamTable, ParamSeries and ResultLabels,
// set only when it was read whole. Throws LoadError with the same messages as LoadParameters.
void LoadCatalogue(const std::filesystem::path& file);

// Whether a path can be written to pathpdf.txt and read back unchanged: no double quote, and only
// characters that Windows-1250 has.
bool IsStorablePath(const std::string& path);

enum class PdfPathWrite { Written, Unstorable, ReadOnly, Failed };

// Writes pathpdf.txt in appDir as one quoted field and CR LF, durably (a power cut leaves the old
// or the new file). A file the user made read-only is left as it is (ReadOnly); a path that could
// not be read back is not written (Unstorable). Unless Written, the old file is untouched; when
// it was not written, `reason` gets the cause in the user's words.
PdfPathWrite WritePdfPathFile(const std::filesystem::path& appDir, const std::string& path,
                              std::string* reason = nullptr);

// CD-ROM roots the last load passed over because their path cannot be stored in pathpdf.txt.
inline std::vector<std::string> SkippedDrives;

// Fills ResultLabels with the sixteen fixed captions.
void SetResultLabels();

} // namespace kod
