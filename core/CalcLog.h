#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The calculation log raport.txt: lines in print zones of 14 columns, Windows-1250, CR LF.
namespace kod {

inline constexpr int kPrintZoneWidth = 14;

// Builds one log line by the print rules: items follow each other, NextZone() moves to the next
// print zone, Tab(c) to column c (1-based; to the next line's column c when already past it).
class LogLine {
public:
    explicit LogLine(char decimalSeparator = '.') : sep_(decimalSeparator) {}
    LogLine& Text(std::string_view text);
    LogLine& Number(double value);        // " 65 ", "-1.5 "
    LogLine& Integer(std::int16_t value); // same form as a number
    LogLine& Boolean(bool value);         // True / False
    LogLine& NextZone();
    LogLine& Tab(int column);
    // The line's text (UTF-8), possibly holding CR LF where a Tab moved to a new line.
    const std::string& str() const { return text_; }

private:
    int column() const; // 1-based column of the next character
    std::string text_;
    char sep_;
};

// The one log a selection run writes. Opening replaces the previous file; a failure to create or
// write it only switches the log off, the calculation goes on.
class CalcLog {
public:
    CalcLog() = default;
    CalcLog(const CalcLog&) = delete;
    CalcLog& operator=(const CalcLog&) = delete;
    bool Open(const std::filesystem::path& file, char decimalSeparator);
    void Close();
    bool IsOpen() const;
    // True when Open failed or a write failed since the last Open.
    bool Failed() const { return failed_; }
    char DecimalSeparator() const { return sep_; }
    LogLine Line() const { return LogLine(sep_); }
    void Write(const LogLine& line);
    void Write(std::string_view text);

    // Header lines of the selection run and of the printout run.
    void WriteSelectionStart();
    void WriteSelectionModel(double T12min, double T12max, std::int16_t m, bool centralHeating,
                             double Dp1, double Dp2, double T11, double T21, double T22, double Q);
    void WritePrintStart();
    void WritePrintModel(std::int16_t m);
    // Lines of the outlet temperature search.
    void WriteExtraHeader(std::int16_t extra);
    void WriteTrial(double t12, std::int16_t n, double kw, double ke);

    ~CalcLog();

private:
    struct File;
    File* file_ = nullptr;
    bool failed_ = false;
    char sep_ = '.';
};

// The log shared by the selection window, its printout and FindOutletTemperature.
CalcLog& Log();

// raport.txt in the given application directory.
std::filesystem::path LogFilePath(const std::filesystem::path& appDir);

} // namespace kod
