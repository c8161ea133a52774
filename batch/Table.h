#pragma once

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Reading a table of operating points as spreadsheets write it: a header row, fields separated by
// ";", "," or a tab (found in the header), quoted fields with doubled quotes, CR LF or LF, UTF-8
// with or without a byte order mark or Windows-1250 (told by the first megabyte). Records are read
// one at a time.
namespace batch {

enum class Encoding { Utf8, Utf8Bom, Cp1250 };

// A broken input: the Polish message names the line and the column (both from 1).
class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Record {
    std::vector<std::string> fields; // UTF-8
    long line = 0;                   // line of the record's start
};

class TableReader {
public:
    // Reads from an open file (not closed here). Throws TableError for an empty or binary input.
    explicit TableReader(std::FILE* in);

    Encoding GetEncoding() const { return encoding_; }
    char Separator() const { return separator_; }
    bool CrLf() const { return crlf_; }
    const Record& Header() const { return header_; }

    // The next record with at least one non-blank field; nullopt at the end. Throws TableError
    // for a quote left open, a zero byte or a record with more or fewer fields than the header.
    std::optional<Record> Next();

private:
    int Get();  // next byte or EOF
    int Peek(); // without consuming
    bool ReadRecord(std::vector<std::string>& fields, long& line);
    std::string Decode(std::string& bytes) const;

    std::FILE* in_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool eof_ = false;
    long line_ = 1;
    long column_ = 1;
    Encoding encoding_ = Encoding::Utf8;
    char separator_ = ';';
    bool crlf_ = false;
    Record header_;
};

// A column name made comparable: blanks trimmed, a trailing unit in brackets dropped, lower case,
// Polish letters without their accents ("Moc [kW]" -> "moc", "Błąd" -> "blad").
std::string NormalName(const std::string& name);

} // namespace batch
