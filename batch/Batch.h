#pragma once

#include "batch/Table.h"
#include "panel/FieldLimits.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The selection of every row of a table: each row checked with the panel's limits, selected over
// the four models as the selection window does, and written in input order as CSV or JSON lines.
namespace batch {

enum class Format { Csv, Json };

struct Options {
    Format format = Format::Csv;
    std::optional<char> separator;   // of the output; the input's by default
    std::optional<char> decimal;     // of the output; the input's by default
    bool utf8 = false;               // write UTF-8 whatever the input's encoding
    std::filesystem::path raportDir; // a trace per row there when not empty
    int threads = 1;
};

// Where the header's columns are: the operating point's fields (T12 unused), the name and the
// purpose; -1 when absent.
struct Columns {
    std::array<int, panel::kFieldCount> field;
    int name = -1, purpose = -1;
};

// Finds the columns by name (Q or moc, T11, T21, T22, Dp1, Dp2, nazwa, przeznaczenie). Throws
// TableError naming a required column that is missing.
Columns FindColumns(const std::vector<std::string>& header);

// How the output is written.
struct OutputForm {
    Format format = Format::Csv;
    char separator = ';';
    char decimal = ',';
    Encoding encoding = Encoding::Utf8;
    const char* newline = "\n";
};

// One row's output line (encoded, with its newline) and whether it was rejected.
struct RowOutcome {
    std::string text;
    bool rejected = false;
    bool raportFailed = false;
};

// Everything that is the same for every row; Row may run on several threads at once.
class Selector {
public:
    Selector(const Record& header, const Options& options, const OutputForm& form);
    // The output's header line (none for JSON).
    std::string HeaderText() const;
    // The row with its number (from 1).
    RowOutcome Row(const Record& record, long number) const;
    const OutputForm& Form() const { return form_; }
    // The decimal sign of the input, told by the first data row: the one its numbers use, else
    // "," beside a ";" or tab and "." beside a ",".
    void SetDecimalFrom(const Record& first, char inputSeparator);

private:
    std::string Encode(std::string line) const;
    std::string CsvField(const std::string& text) const;
    void AppendCsv(std::string& out, std::string_view text) const;
    std::filesystem::path RaportFile(long number, const std::string& name) const;

    std::vector<std::string> header_;
    Columns columns_;
    OutputForm form_;
    bool decimalForced_ = false;
    char inputDecimal_ = ',';
    std::filesystem::path raportDir_;
};

struct Stats {
    long rows = 0, rejected = 0, raportFailures = 0;
};

// Reads every row, selects them on `threads` threads and writes them in input order through
// `write` (which throws when writing fails). progress(rowsDone) runs after every block of rows.
Stats RunTable(TableReader& reader, Selector& selector, int threads,
               const std::function<void(const std::string&)>& write,
               const std::function<void(long)>& progress = {});

// The output form for an input: its separator, encoding and line ends unless the options say
// otherwise.
OutputForm FormFor(const TableReader& reader, const Options& options);

} // namespace batch
