#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kod {

// Reads the comma/line-end separated fields of parametr.txt and pathpdf.txt from UTF-8 text.
// Blanks and tabs before a field are skipped. A quoted field runs to the next quote, and what
// follows it up to the next comma or line end is dropped; an unquoted text field runs to the next
// comma or line end without its trailing blanks; a numeric field stops at a comma, a blank or a
// line end as well. A field that would start at the end of the text is missing (nullopt).
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}
    std::optional<std::string> NextText();
    std::optional<double> NextNumber();
    // How far the reading has come, in bytes of the text.
    std::size_t Position() const { return pos_; }

private:
    bool AtLineEnd() const;
    void SkipBlanks();
    void SkipSeparator(); // one comma or one line end, if there
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace kod
