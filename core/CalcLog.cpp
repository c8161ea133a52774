#include "core/CalcLog.h"

#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "core/NumberFormat.h"
#include "core/Numbers.h"

#include <cstdio>

namespace kod {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

int LogLine::column() const {
    std::size_t start = text_.rfind('\n');
    start = start == std::string::npos ? 0 : start + 1;
    int count = 0;
    for (std::size_t i = start; i < text_.size(); ++i)
        if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80)
            ++count;
    return count + 1;
}

LogLine& LogLine::Text(std::string_view text) {
    text_ += text;
    return *this;
}

LogLine& LogLine::Number(double value) {
    return Text(PrintedNumber(value, sep_));
}

LogLine& LogLine::Integer(std::int16_t value) {
    return Number(value);
}

LogLine& LogLine::Boolean(bool value) {
    return Text(value ? "True" : "False");
}

LogLine& LogLine::NextZone() {
    const int col = column();
    const int next = ((col - 1) / kPrintZoneWidth + 1) * kPrintZoneWidth + 1;
    text_.append(static_cast<std::size_t>(next - col), ' ');
    return *this;
}

LogLine& LogLine::Tab(int column) {
    if (column < 1)
        column = 1;
    int col = this->column();
    if (col > column) {
        text_ += "\r\n";
        col = 1;
    }
    text_.append(static_cast<std::size_t>(column - col), ' ');
    return *this;
}

struct CalcLog::File {
    std::FILE* handle = nullptr;
    std::string buffer; // written out in blocks
    std::string line;   // scratch for trial lines
};

bool CalcLog::Open(const std::filesystem::path& file, char decimalSeparator) {
    Close();
    sep_ = decimalSeparator;
    failed_ = false;
    std::FILE* handle = std::fopen(file.c_str(), "wb");
    if (!handle) {
        failed_ = true;
        return false;
    }
    file_ = new File{handle, {}, {}};
    file_->buffer.reserve(kFlushSize + 256);
    return true;
}

namespace {
bool Flush(std::FILE* handle, std::string& buffer) {
    bool ok =
        buffer.empty() || std::fwrite(buffer.data(), 1, buffer.size(), handle) == buffer.size();
    buffer.clear();
    return ok;
}
} // namespace

void CalcLog::Close() {
    if (!file_)
        return;
    if (!Flush(file_->handle, file_->buffer))
        failed_ = true;
    if (std::fclose(file_->handle) != 0)
        failed_ = true;
    delete file_;
    file_ = nullptr;
}

bool CalcLog::IsOpen() const {
    return file_ != nullptr;
}

void CalcLog::Write(std::string_view text) {
    if (!file_)
        return;
    std::string& buffer = file_->buffer;
    if (IsAscii(text))
        buffer += text;
    else
        buffer += ToCp1250(text);
    buffer += "\r\n";
    if (buffer.size() >= kFlushSize && !Flush(file_->handle, buffer))
        failed_ = true;
}

void CalcLog::Write(const LogLine& line) {
    Write(line.str());
}

void CalcLog::WriteSelectionStart() {
    Write("********  Początek obliczania ***************");
}

void CalcLog::WriteSelectionModel(double T12min, double T12max, std::int16_t m, bool centralHeating,
                                  double Dp1, double Dp2, double T11, double T21, double T22,
                                  double Q) {
    auto labelled = [this](std::string_view label) {
        LogLine line = Line();
        line.Tab(10).NextZone().Text(label);
        return line;
    };
    Write("       #############   ");
    Write("Dobór wymiennika dla parametrów:");
    Write(labelled("T12min=").Number(T12min));
    Write(labelled("T12max=").Number(T12max));
    Write(labelled("NrWymiennika=").Integer(m).NextZone().Text(ModelName(m)));
    Write(labelled("CO ? =").Boolean(centralHeating));
    Write(labelled("Dp1=").Number(Dp1));
    Write(labelled("Dp2=").Number(Dp2));
    Write(labelled("T11=").Number(T11));
    Write(labelled("T21=").Number(T21));
    Write(labelled("T22=").Number(T22));
    Write(labelled("Q=").Number(Q));
}

void CalcLog::WritePrintStart() {
    Write("********  Początek obliczania do druku***************");
    Write(std::string(21, ' '));
    Write("Wejście do procedury drukowania");
    Write(std::string(2, ' '));
}

void CalcLog::WritePrintModel(std::int16_t m) {
    Write(std::string(21, ' '));
    Write(Line().Text("Obliczenia dla wymiennika =").NextZone().Integer(m));
    Write(std::string(2, ' '));
}

void CalcLog::WriteExtraHeader(std::int16_t extra) {
    Write(std::string(21, ' '));
    Write(
        Line().Text("Obliczenia dla liczby nadmiarowych wymienników =").NextZone().Integer(extra));
    Write(std::string(21, ' '));
}

// Written for every trial of a search (thousands per run), so built straight into one reused
// buffer; the line is ASCII, so its columns are its bytes.
void CalcLog::WriteTrial(double t12, std::int16_t n, double kw, double ke) {
    if (!file_)
        return;
    static const NumberPattern kCoefficient("##0.000");
    std::string& line = file_->line;
    auto nextZone = [&line] { line.append(kPrintZoneWidth - line.size() % kPrintZoneWidth, ' '); };
    line.assign("t12=");
    AppendPrintedNumber(line, t12, sep_);
    line += "l.wym.=";
    AppendPrintedNumber(line, n, sep_);
    nextZone();
    line += "kw=";
    kCoefficient.AppendTo(line, kw, sep_);
    nextZone();
    line += "ke=";
    kCoefficient.AppendTo(line, ke, sep_);
    Write(line);
}

CalcLog::~CalcLog() {
    Close();
}

CalcLog& Log() {
    static CalcLog log;
    return log;
}

std::filesystem::path LogFilePath(const std::filesystem::path& appDir) {
    return appDir / "raport.txt";
}

} // namespace kod
