#include "batch/Table.h"

#include "core/Cp1250.h"

#include <algorithm>

namespace batch {

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kSniffSize = 1 << 20; // read ahead to tell the encoding

// Length of the valid UTF-8 sequence at text[i], 0 when invalid; `cut` when the text ends inside
// a sequence that could still be valid.
std::size_t Utf8Length(const std::string& text, std::size_t i, bool& cut) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t n = b < 0x80                ? 1
                    : b >= 0xC2 && b < 0xE0 ? 2
                    : b >= 0xE0 && b < 0xF0 ? 3
                    : b >= 0xF0 && b < 0xF5 ? 4
                                            : 0;
    if (n <= 1)
        return n;
    for (std::size_t k = 1; k < n; ++k) {
        if (i + k >= text.size()) {
            cut = true;
            return 0;
        }
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    return n;
}

// Whether the bytes read so far are UTF-8 (a sequence cut at the end of the sample counts as
// valid).
bool LooksUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        bool cut = false;
        const std::size_t n = Utf8Length(text, i, cut);
        if (cut)
            return true;
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string Where(long line, long column) {
    return "wiersz " + std::to_string(line) + ", kolumna " + std::to_string(column);
}

} // namespace

TableReader::TableReader(std::FILE* in) : in_(in) {
    char chunk[kChunk];
    while (buffer_.size() < kSniffSize) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, in_);
        buffer_.append(chunk, got);
        if (got < sizeof chunk) {
            if (std::ferror(in_))
                throw TableError("nie można odczytać pliku wejściowego");
            eof_ = true;
            break;
        }
    }
    if (buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        encoding_ = Encoding::Utf8Bom;
        pos_ = 3;
    } else {
        encoding_ = LooksUtf8(buffer_) ? Encoding::Utf8 : Encoding::Cp1250;
    }
    // The separator most used in the header line outside quotes; ";" when tied.
    std::size_t counts[3] = {0, 0, 0};
    bool quoted = false;
    for (std::size_t i = pos_; i < buffer_.size(); ++i) {
        const char c = buffer_[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            counts[0] += c == ';', counts[1] += c == '\t', counts[2] += c == ',';
    }
    const std::size_t most = *std::max_element(counts, counts + 3);
    separator_ = counts[0] == most ? ';' : counts[1] == most ? '\t' : ',';

    if (!ReadRecord(header_.fields, header_.line) ||
        std::all_of(header_.fields.begin(), header_.fields.end(),
                    [](const std::string& f) { return f.empty(); }))
        throw TableError("plik wejściowy jest pusty: brak wiersza nagłówka");
}

int TableReader::Get() {
    if (pos_ >= buffer_.size()) {
        if (eof_)
            return EOF;
        char chunk[kChunk];
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, in_);
        if (got < sizeof chunk) {
            if (std::ferror(in_))
                throw TableError("nie można odczytać pliku wejściowego (" + Where(line_, column_) +
                                 ")");
            eof_ = true;
        }
        buffer_.assign(chunk, got);
        pos_ = 0;
        if (got == 0)
            return EOF;
    }
    return static_cast<unsigned char>(buffer_[pos_++]);
}

int TableReader::Peek() {
    const int c = Get();
    if (c != EOF)
        --pos_;
    return c;
}

bool TableReader::ReadRecord(std::vector<std::string>& fields, long& line) {
    fields.clear();
    line = line_;
    column_ = 1;
    int c = Get();
    if (c == EOF)
        return false;
    std::string field;
    bool quoted = false; // inside quotes
    bool atStart = true; // nothing of the field read yet
    bool sawCr = false;
    for (;; c = Get()) {
        if (c == EOF) {
            if (quoted)
                throw TableError("niezamknięty cudzysłów na końcu pliku (pole zaczęte: " +
                                 Where(line, column_) + "); plik jest ucięty?");
            break;
        }
        if (c == 0 || (c < 0x20 && c != '\t' && c != '\r' && c != '\n'))
            throw TableError("znak sterujący o kodzie " + std::to_string(c) + " (" +
                             Where(line_, column_) + "): to nie jest tabela tekstowa");
        if (quoted) {
            if (c == '"') {
                if (Peek() == '"') {
                    Get();
                    field += '"';
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line_;
                field += static_cast<char>(c);
            }
            continue;
        }
        if (c == '"' && atStart) {
            quoted = true;
            atStart = false;
            continue;
        }
        if (c == separator_) {
            fields.push_back(Decode(field));
            field.clear();
            atStart = true;
            ++column_;
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && Peek() == '\n') {
                Get();
                sawCr = true;
            }
            ++line_;
            break;
        }
        field += static_cast<char>(c);
        atStart = false;
    }
    fields.push_back(Decode(field));
    if (line == 1)
        crlf_ = sawCr;
    return true;
}

std::string TableReader::Decode(std::string& bytes) const {
    if (encoding_ == Encoding::Cp1250)
        return kod::FromCp1250(bytes);
    return std::move(bytes);
}

std::optional<Record> TableReader::Next() {
    Record r;
    while (ReadRecord(r.fields, r.line)) {
        if (std::all_of(r.fields.begin(), r.fields.end(),
                        [](const std::string& f) { return f.empty(); }))
            continue;
        const std::size_t want = header_.fields.size();
        if (r.fields.size() != want)
            throw TableError("wiersz " + std::to_string(r.line) + " ma " +
                             std::to_string(r.fields.size()) + " pól, a nagłówek " +
                             std::to_string(want) + " (kolumna " +
                             std::to_string(std::min(r.fields.size(), want) + 1) +
                             "); plik jest ucięty lub uszkodzony");
        return r;
    }
    return std::nullopt;
}

std::string NormalName(const std::string& name) {
    static const std::pair<const char*, char> kPolish[] = {
        {"ą", 'a'}, {"ć", 'c'}, {"ę", 'e'}, {"ł", 'l'}, {"ń", 'n'}, {"ó", 'o'},
        {"ś", 's'}, {"ź", 'z'}, {"ż", 'z'}, {"Ą", 'a'}, {"Ć", 'c'}, {"Ę", 'e'},
        {"Ł", 'l'}, {"Ń", 'n'}, {"Ó", 'o'}, {"Ś", 's'}, {"Ź", 'z'}, {"Ż", 'z'}};
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        const char c = name[i];
        if (c == '[' || c == '(')
            break;
        bool mapped = false;
        for (const auto& [letter, plain] : kPolish) {
            const std::string_view l(letter);
            if (name.compare(i, l.size(), l) == 0) {
                out += plain;
                i += l.size();
                mapped = true;
                break;
            }
        }
        if (mapped)
            continue;
        if (c != ' ' && c != '\t')
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        ++i;
    }
    return out;
}

} // namespace batch
