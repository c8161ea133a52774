#include "batch/Batch.h"

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "core/NumberFormat.h"
#include "core/Numbers.h"
#include "selection/SelectionRun.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <exception>
#include <thread>

namespace batch {

namespace {

using panel::Field;
using selection::ResultRow;

constexpr std::size_t kRowsPerThread = 256; // rows per thread in one block

// The result rows written per model, in the output's order, with their column captions.
struct ModelColumn {
    ResultRow row;
    const char* caption;
    const char* key;
};
constexpr ModelColumn kModelColumns[] = {{ResultRow::Count, "n", "n"},
                                         {ResultRow::T12, "T12", "T12"},
                                         {ResultRow::kw, "kw", "kw"},
                                         {ResultRow::ke, "ke", "ke"},
                                         {ResultRow::Excess, "nadmiar %", "nadmiar"},
                                         {ResultRow::dP1, "dP1", "dP1"},
                                         {ResultRow::dP2, "dP2", "dP2"},
                                         {ResultRow::G1, "G1", "G1"},
                                         {ResultRow::G2, "G2", "G2"}};

const char* VerdictWord(selection::VerdictKind kind) {
    switch (kind) {
    case selection::VerdictKind::Impossible:
        return "niemożliwe";
    case selection::VerdictKind::Possible:
        return "możliwe";
    case selection::VerdictKind::Excessive:
        return "nadmiar";
    case selection::VerdictKind::Best:
        return "najkorzystniejszy";
    }
    return "";
}

void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\', out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF], out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

// The shortest text that reads back as the same double.
void AppendJsonNumber(std::string& out, double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

// A file name from a substation's name: characters that no file name may hold become "_".
std::string FileNamePart(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        out +=
            u < 0x20 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos ? '_' : c;
    }
    // At most 100 bytes, not cutting a character.
    if (out.size() > 100) {
        std::size_t cut = 100;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

constexpr std::size_t kWritten = std::size(kModelColumns);
using ShownTexts = std::array<std::string, kWritten>;

// The texts of the written rows as the grid shows them (ResultColumn's texts), with the grid's
// patterns parsed once.
ShownTexts Shown(const selection::ModelResult& r, char decimal) {
    static const std::vector<kod::NumberPattern> kPatterns = [] {
        std::vector<kod::NumberPattern> parsed;
        for (const ModelColumn& c : kModelColumns)
            parsed.emplace_back(selection::kGridFormats[static_cast<std::size_t>(c.row)]);
        return parsed;
    }();
    const auto values = selection::ResultValues(r);
    ShownTexts texts;
    for (std::size_t i = 0; i < kWritten; ++i) {
        const ResultRow row = kModelColumns[i].row;
        if (r.evaluated && (r.found || selection::ShownWithoutT12(row)))
            kPatterns[i].AppendTo(texts[i], values[static_cast<std::size_t>(row)], decimal);
        else
            texts[i] = "---";
    }
    return texts;
}

} // namespace

Columns FindColumns(const std::vector<std::string>& header) {
    Columns c;
    c.field.fill(-1);
    const std::pair<const char*, Field> kNames[] = {
        {"q", Field::Q},     {"moc", Field::Q},   {"t11", Field::T11}, {"t21", Field::T21},
        {"t22", Field::T22}, {"dp1", Field::Dp1}, {"dp2", Field::Dp2}};
    for (int i = 0; i < static_cast<int>(header.size()); ++i) {
        const std::string name = NormalName(header[static_cast<std::size_t>(i)]);
        for (const auto& [known, field] : kNames)
            if (name == known && c.field[static_cast<std::size_t>(field)] < 0)
                c.field[static_cast<std::size_t>(field)] = i;
        if (name == "nazwa" && c.name < 0)
            c.name = i;
        if (name == "przeznaczenie" && c.purpose < 0)
            c.purpose = i;
    }
    const std::pair<Field, const char*> kRequired[] = {{Field::Q, "Q"},     {Field::T11, "T11"},
                                                       {Field::T21, "T21"}, {Field::T22, "T22"},
                                                       {Field::Dp1, "Dp1"}, {Field::Dp2, "Dp2"}};
    for (const auto& [field, caption] : kRequired)
        if (c.field[static_cast<std::size_t>(field)] < 0)
            throw TableError(std::string("w wierszu nagłówka brak wymaganej kolumny ") + caption);
    return c;
}

OutputForm FormFor(const TableReader& reader, const Options& options) {
    OutputForm form;
    form.format = options.format;
    form.separator = options.separator.value_or(reader.Separator());
    form.encoding = options.utf8 && reader.GetEncoding() == Encoding::Cp1250 ? Encoding::Utf8
                                                                             : reader.GetEncoding();
    form.newline = reader.CrLf() ? "\r\n" : "\n";
    if (options.format == Format::Json) {
        form.encoding = Encoding::Utf8;
        form.decimal = '.';
        form.newline = "\n";
    }
    return form;
}

Selector::Selector(const Record& header, const Options& options, const OutputForm& form)
    : header_(header.fields), columns_(FindColumns(header.fields)), form_(form),
      raportDir_(options.raportDir) {
    if (options.decimal || form.format == Format::Json) {
        decimalForced_ = true;
        form_.decimal = form.format == Format::Json ? '.' : *options.decimal;
    }
}

void Selector::SetDecimalFrom(const Record& first, char inputSeparator) {
    char found = 0;
    for (int column : columns_.field) {
        if (column < 0 || found)
            continue;
        const std::string& text = first.fields[static_cast<std::size_t>(column)];
        if (text.find(',') != std::string::npos)
            found = ',';
        else if (text.find('.') != std::string::npos)
            found = '.';
    }
    inputDecimal_ = found ? found : inputSeparator == ',' ? '.' : ',';
    if (!decimalForced_)
        form_.decimal = inputDecimal_;
}

std::string Selector::Encode(std::string line) const {
    line += form_.newline;
    return form_.encoding == Encoding::Cp1250 ? kod::ToCp1250(line) : line;
}

std::string Selector::CsvField(const std::string& text) const {
    std::string out;
    AppendCsv(out, text);
    return out;
}

void Selector::AppendCsv(std::string& out, std::string_view text) const {
    const char sep = form_.separator;
    if (std::none_of(text.begin(), text.end(),
                     [sep](char c) { return c == sep || c == '"' || c == '\r' || c == '\n'; })) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text)
        c == '"' ? out += "\"\"" : out += c;
    out += '"';
}

std::string Selector::HeaderText() const {
    if (form_.format == Format::Json)
        return {};
    std::string line;
    bool first = true;
    auto add = [&](const std::string& caption) {
        if (!first)
            line += form_.separator;
        first = false;
        line += CsvField(caption);
    };
    for (const std::string& h : header_)
        add(h);
    for (int m = 0; m < kod::kModelCount; ++m) {
        for (const ModelColumn& c : kModelColumns)
            add(kod::ModelName(m) + " " + c.caption);
        add(kod::ModelName(m) + " werdykt");
    }
    for (const char* caption :
         {"najkorzystniejszy", "liczba wymienników", "obniżenie T21 i T12", "błąd"})
        add(caption);
    return (form_.encoding == Encoding::Utf8Bom ? "\xEF\xBB\xBF" : "") + Encode(line);
}

std::filesystem::path Selector::RaportFile(long number, const std::string& name) const {
    std::string file = "raport_" + std::to_string(number);
    if (!name.empty())
        file += "_" + FileNamePart(name);
    return raportDir_ / (file + ".txt");
}

RowOutcome Selector::Row(const Record& record, long number) const {
    RowOutcome outcome;
    std::array<std::string_view, panel::kFieldCount> texts{};
    for (std::size_t f = 0; f < texts.size(); ++f)
        if (columns_.field[f] >= 0)
            texts[f] = record.fields[static_cast<std::size_t>(columns_.field[f])];
    const std::string name =
        columns_.name >= 0 ? record.fields[static_cast<std::size_t>(columns_.name)] : "";

    std::optional<std::string> error;
    bool centralHeating = true;
    if (columns_.purpose >= 0) {
        // "c.o.", "C.O.", "co": letters alone, in lower case.
        std::string purpose;
        for (char c : record.fields[static_cast<std::size_t>(columns_.purpose)])
            if (c != '.' && c != ' ')
                purpose += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (purpose == "cw")
            centralHeating = false;
        else if (!purpose.empty() && purpose != "co")
            error = "przeznaczenie musi być c.o. lub c.w.";
    }
    selection::SelectionInput input;
    if (!error)
        error = panel::CheckSelectionPoint(texts, centralHeating, ',', input);

    selection::SelectionResult run;
    if (!error) {
        if (raportDir_.empty()) {
            run = selection::RunSelection(input, nullptr);
        } else {
            kod::CalcLog log;
            log.Open(RaportFile(number, name), form_.decimal);
            log.WriteSelectionStart();
            const panel::OperatingPoint& p = input.point;
            run = selection::RunSelection(input, &log, [&](int m, double t12min, double t12max) {
                log.WriteSelectionModel(t12min, t12max, static_cast<std::int16_t>(m),
                                        p.CentralHeating, p.AllowedDropHeating, p.AllowedDropHeated,
                                        p.HeatingInlet, p.HeatedInlet, p.HeatedOutlet,
                                        p.HeatOutput);
            });
            log.Close();
            outcome.raportFailed = log.Failed();
        }
    }
    outcome.rejected = error.has_value();
    const int best = error ? -1 : run.Best();
    const char decimal = form_.decimal;

    std::string line;
    line.reserve(512);
    if (form_.format == Format::Json) {
        line = "{\"wiersz\":" + std::to_string(number) + ",\"nazwa\":";
        if (columns_.name >= 0)
            AppendJsonString(line, name);
        else
            line += "null";
        line += ",\"błąd\":";
        if (error)
            AppendJsonString(line, *error);
        else
            line += "null";
        line += ",\"modele\":[";
        for (int m = 0; m < kod::kModelCount; ++m) {
            const selection::ModelResult& r = run.models[static_cast<std::size_t>(m)];
            const ShownTexts shown = Shown(r, '.');
            const auto values = selection::ResultValues(r);
            line += m ? ",{\"model\":" : "{\"model\":";
            AppendJsonString(line, kod::ModelName(m));
            for (std::size_t i = 0; i < kWritten; ++i) {
                line += ",\"";
                line += kModelColumns[i].key;
                line += "\":";
                if (error || shown[i] == "---")
                    line += "null";
                else
                    AppendJsonNumber(line, values[static_cast<std::size_t>(kModelColumns[i].row)]);
            }
            line += ",\"werdykt\":";
            if (error)
                line += "null";
            else
                AppendJsonString(line, VerdictWord(r.kind));
            line += '}';
        }
        line += "],\"najkorzystniejszy\":";
        if (best >= 0)
            AppendJsonString(line, kod::ModelName(best));
        else
            line += "null";
        line += ",\"obniżenie\":";
        line += best >= 0 && run.choice.LoweringAdvised() ? "true" : "false";
        line += "}\n";
        return {std::move(line), outcome.rejected, outcome.raportFailed};
    }

    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        if (i)
            line += form_.separator;
        AppendCsv(line, record.fields[i]);
    }
    const char sep = form_.separator;
    for (int m = 0; m < kod::kModelCount; ++m) {
        const selection::ModelResult& r = run.models[static_cast<std::size_t>(m)];
        if (error) {
            line.append(kWritten + 1, sep);
            continue;
        }
        for (const std::string& text : Shown(r, decimal))
            AppendCsv(line += sep, text);
        (line += sep) += VerdictWord(r.kind);
    }
    if (error) {
        line.append(3, sep);
    } else if (best >= 0) {
        AppendCsv(line += sep, kod::ModelName(best));
        line += sep;
        ((line += std::to_string(run.models[static_cast<std::size_t>(best)].n)) += sep) +=
            run.choice.LoweringAdvised() ? "tak" : "nie";
    } else {
        (((line += sep) += "---") += sep) += "---";
        (line += sep) += "nie";
    }
    line += sep;
    if (error)
        AppendCsv(line, *error);
    outcome.text = Encode(std::move(line));
    return outcome;
}

Stats RunTable(TableReader& reader, Selector& selector, int threads,
               const std::function<void(const std::string&)>& write,
               const std::function<void(long)>& progress) {
    Stats stats;
    threads = std::max(1, threads);
    const std::size_t blockSize = kRowsPerThread * static_cast<std::size_t>(threads);
    auto readBlock = [&](std::vector<Record>& block) {
        block.clear();
        while (block.size() < blockSize) {
            std::optional<Record> r = reader.Next();
            if (!r)
                break;
            block.push_back(std::move(*r));
        }
    };
    std::vector<Record> block, following;
    block.reserve(blockSize);
    following.reserve(blockSize);
    std::vector<RowOutcome> outcomes(blockSize);
    write(selector.HeaderText());
    readBlock(block);
    if (!block.empty())
        selector.SetDecimalFrom(block.front(), reader.Separator());
    while (!block.empty()) {
        std::atomic<std::size_t> next{0};
        std::exception_ptr failure;
        std::atomic<bool> failed{false};
        auto work = [&] {
            try {
                for (std::size_t i = next++; i < block.size(); i = next++)
                    outcomes[i] = selector.Row(block[i], stats.rows + static_cast<long>(i) + 1);
            } catch (...) {
                if (!failed.exchange(true))
                    failure = std::current_exception();
            }
        };
        const std::size_t helpers =
            std::min<std::size_t>(static_cast<std::size_t>(threads), block.size()) - 1;
        std::vector<std::thread> pool;
        for (std::size_t t = 0; t < helpers; ++t)
            pool.emplace_back(work);
        // The next block is read while the helpers select this one; a broken input is reported
        // after this block's rows are written, as if it had been read in turn.
        std::exception_ptr readFailure;
        if (helpers > 0) {
            try {
                readBlock(following);
            } catch (...) {
                readFailure = std::current_exception();
                following.clear();
            }
        }
        work();
        for (std::thread& t : pool)
            t.join();
        if (failure)
            std::rethrow_exception(failure);
        for (std::size_t i = 0; i < block.size(); ++i) {
            write(outcomes[i].text);
            stats.rejected += outcomes[i].rejected;
            stats.raportFailures += outcomes[i].raportFailed;
        }
        stats.rows += static_cast<long>(block.size());
        if (progress)
            progress(stats.rows);
        if (readFailure)
            std::rethrow_exception(readFailure);
        if (helpers == 0)
            readBlock(following);
        std::swap(block, following);
    }
    return stats;
}

} // namespace batch
