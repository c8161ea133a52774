#include "core/FieldReader.h"

#include "core/Numbers.h"

namespace kod {

bool FieldReader::AtLineEnd() const {
    return text_[pos_] == '\r' || text_[pos_] == '\n';
}

void FieldReader::SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
}

void FieldReader::SkipSeparator() {
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',') {
        ++pos_;
    } else if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

std::optional<std::string> FieldReader::NextText() {
    SkipBlanks();
    if (pos_ >= text_.size())
        return std::nullopt;
    std::string field;
    if (text_[pos_] == '"') {
        std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos)
            close = text_.size();
        field = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close < text_.size() ? close + 1 : close;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
            ++pos_;
    } else {
        std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
            ++pos_;
        field = text_.substr(start, pos_ - start);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
            field.pop_back();
    }
    SkipSeparator();
    return field;
}

std::optional<double> FieldReader::NextNumber() {
    SkipBlanks();
    if (pos_ >= text_.size())
        return std::nullopt;
    if (text_[pos_] == '"')
        return Val(*NextText());
    std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != ' ' && text_[pos_] != '\t' &&
           !AtLineEnd())
        ++pos_;
    double value = Val(text_.substr(start, pos_ - start));
    // A number may end at a blank; the separator after the blanks still belongs to it.
    SkipBlanks();
    SkipSeparator();
    return value;
}

} // namespace kod
