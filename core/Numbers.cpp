#include "core/Numbers.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kod {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

struct Reading {
    double value = 0;
    std::size_t end = 0;   // first character not read
    bool complete = false; // digits read, and an exponent letter has its digits
};

// Reads the leading number of `text`; blanks, tabs and line feeds are skipped wherever they stand.
// "." and `otherSeparator` both mark the decimal part.
Reading ReadNumber(std::string_view text, char otherSeparator) {
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
    };
    skip();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;    // integer and fraction digits without the point
    long long pointAt = 0; // number of integer digits
    bool seenPoint = false;
    for (skip(); i < text.size(); ++i, skip()) {
        const char c = text[i];
        if (IsDigit(c)) {
            digits += c;
        } else if ((c == '.' || c == otherSeparator) && !seenPoint) {
            seenPoint = true;
            pointAt = static_cast<long long>(digits.size());
        } else {
            break;
        }
    }
    if (!seenPoint)
        pointAt = static_cast<long long>(digits.size());
    Reading r;
    r.complete = !digits.empty();

    long long exponent = 0;
    if (i < text.size() && !digits.empty()) {
        const char c = text[i];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
            ++i;
            skip();
            bool expNegative = false;
            if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
                expNegative = text[i] == '-';
                ++i;
            }
            constexpr long long kExponentCap = 100000; // far beyond the double range
            bool expDigits = false;
            for (skip(); i < text.size() && IsDigit(text[i]); ++i, skip()) {
                exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
                expDigits = true;
            }
            r.complete = expDigits;
            if (expNegative)
                exponent = -exponent;
        }
    }
    r.end = i;

    // Drop leading zeros; the decimal exponent of the first remaining digit decides the range.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        r.value = negative ? -0.0 : 0.0;
        return r;
    }
    const std::string_view mantissa = std::string_view(digits).substr(first);
    const long long scale = pointAt - static_cast<long long>(first) - 1 + exponent;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    if (scale > 400) {
        r.value = negative ? -kInf : kInf;
        return r;
    }
    if (scale < -400) {
        r.value = negative ? -0.0 : 0.0;
        return r;
    }
    // mantissa[0].mantissa[1..] E scale
    std::string normal;
    normal.reserve(mantissa.size() + 8);
    normal += mantissa[0];
    if (mantissa.size() > 1) {
        normal += '.';
        normal.append(mantissa.substr(1));
    }
    normal += 'e';
    normal += std::to_string(scale);
    double value = 0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        value = scale > 0 ? kInf : 0.0;
    r.value = negative ? -value : value;
    return r;
}

} // namespace

double Val(std::string_view text, char otherDecimalSeparator) {
    return ReadNumber(text, otherDecimalSeparator).value;
}

bool IsNumber(std::string_view text, char otherDecimalSeparator) {
    const Reading r = ReadNumber(text, otherDecimalSeparator);
    std::size_t end = r.end;
    while (end < text.size() && IsBlank(text[end]))
        ++end;
    return r.complete && end == text.size() && std::isfinite(r.value);
}

namespace {
template <typename Int> Int RoundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<Int>::max());
    if (value <= lo)
        return std::numeric_limits<Int>::min();
    if (value >= hi)
        return std::numeric_limits<Int>::max();
    double whole = std::floor(value);
    double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<Int>(whole);
}
} // namespace

std::int16_t RoundHalfEven16(double value) {
    return RoundHalfEven<std::int16_t>(value);
}

std::int32_t RoundHalfEven32(double value) {
    return RoundHalfEven<std::int32_t>(value);
}

namespace {

// The 15 significant decimal digits of a finite |value| > 0 and the decimal exponent of the first:
// value = d0.d1d2...d14 × 10^exponent.
struct Significant {
    char digits[15];
    int exponent;
};

Significant SignificantDigits(double value) {
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                             14); // d.ddddddddddddde±xx
    Significant s{};
    s.digits[0] = buf[0];
    for (int i = 1; i < 15; ++i)
        s.digits[i] = buf[i + 1];
    const char* e = buf + 16; // after the 15 digits and the point
    const bool negative = e[1] == '-';
    int exponent = 0;
    for (const char* c = e + 2; c < res.ptr; ++c)
        exponent = exponent * 10 + (*c - '0');
    s.exponent = negative ? -exponent : exponent;
    return s;
}

constexpr int kMaxDecimals = 40;
constexpr double kLargestShown = 1e15;

} // namespace

NumberPattern::NumberPattern(std::string_view pattern) {
    std::string* literal = &prefix_;
    bool inDigits = false, afterDigits = false, hasPoint = false, optionalDecimalSeen = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\\' && i + 1 < pattern.size()) {
            if (inDigits) {
                afterDigits = true;
                literal = &suffix_;
            }
            *literal += pattern[++i];
            continue;
        }
        if ((c == '0' || c == '#' || c == '.') && !afterDigits) {
            inDigits = true;
            if (c == '.') {
                hasPoint = true;
            } else if (!hasPoint) {
                intRequired_ += c == '0';
            } else {
                ++decimals_;
                if (c == '0' && !optionalDecimalSeen)
                    ++decRequired_;
                else
                    optionalDecimalSeen = true;
            }
            continue;
        }
        percent_ = percent_ || c == '%'; // an unescaped percent sign scales by 100
        if (inDigits) {
            afterDigits = true;
            literal = &suffix_;
        }
        *literal += c;
    }
    decimals_ = std::min(decimals_, kMaxDecimals);
    decRequired_ = std::min(decRequired_, decimals_);
    hasPoint_ = hasPoint;
}

// Rounds half away from zero on the 15-significant-digit decimal text of the value, so that
// 2.675 (stored as 2.67499999...) gives 2.68 as the user expects.
void NumberPattern::AppendTo(std::string& out, double value, char decimalSeparator) const {
    if (percent_)
        value *= 100.0;
    // Past 15 significant digits the integer part would be noise: such a value is not shown.
    if (!std::isfinite(value) || std::fabs(value) >= kLargestShown) {
        out += "---";
        return;
    }
    // digits[1..count] hold the places of weight 10^top down to 10^-decimals; digits[0] takes a
    // carry out of the top place.
    char digits[2 + 310 + kMaxDecimals];
    int count = 0;
    int top = 0;
    bool roundUp = false;
    if (value != 0) {
        const Significant s = SignificantDigits(value);
        top = std::max(s.exponent, 0);
        count = top + decimals_ + 1;
        for (int i = 0; i < count; ++i) {
            const int index = s.exponent - (top - i);
            digits[i + 1] = index >= 0 && index < 15 ? s.digits[index] : '0';
        }
        const int next = s.exponent + decimals_ + 1; // the first dropped place
        roundUp = next >= 0 && next < 15 && s.digits[next] >= '5';
    } else {
        count = decimals_ + 1;
        for (int i = 0; i < count; ++i)
            digits[i + 1] = '0';
    }
    digits[0] = '0';
    if (roundUp) {
        int k = count;
        while (digits[k] == '9')
            digits[k--] = '0';
        ++digits[k];
    }
    const char* first = digits;
    const char* pointAt = digits + 1 + (count - decimals_); // first decimal place
    const char* end = digits + 1 + count;
    bool zero = true;
    for (const char* c = first; c < end; ++c)
        zero = zero && *c == '0';

    while (first < pointAt && *first == '0')
        ++first;
    const int intDigits = static_cast<int>(pointAt - first);
    const char* decEnd = end;
    while (decEnd - pointAt > decRequired_ && decEnd[-1] == '0')
        --decEnd;

    if (value < 0 && !zero)
        out += '-';
    out += prefix_;
    // As the classic formatter does: an all-optional pattern writes no digit for 0 ("####"), and
    // the separator stays even when no decimals follow ("#0.##" writes 25 as "25.").
    if (intDigits < intRequired_)
        out.append(static_cast<std::size_t>(intRequired_ - intDigits), '0');
    out.append(first, pointAt);
    if (hasPoint_)
        out += decimalSeparator;
    out.append(pointAt, decEnd);
    out += suffix_;
}

// Up to 15 significant digits without trailing zeros; scientific notation ("1E+16", "1.5E-05")
// when the decimal exponent is 15 or more, or below -4.
void AppendGeneralForm(std::string& out, double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        out += "---";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char buf[24];
        auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
        out.append(buf, res.ptr);
        return;
    }
    const Significant s = SignificantDigits(value);
    int length = 15;
    while (length > 1 && s.digits[length - 1] == '0')
        --length;
    if (value < 0)
        out += '-';
    if (s.exponent >= 15 || s.exponent < -4) {
        out += s.digits[0];
        if (length > 1) {
            out += decimalSeparator;
            out.append(s.digits + 1, s.digits + length);
        }
        const int e = std::abs(s.exponent);
        out += 'E';
        out += s.exponent < 0 ? '-' : '+';
        if (e >= 100)
            out += static_cast<char>('0' + e / 100);
        out += static_cast<char>('0' + e / 10 % 10);
        out += static_cast<char>('0' + e % 10);
    } else if (s.exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        out.append(s.digits, s.digits + length);
    } else {
        const int intDigits = s.exponent + 1;
        if (length <= intDigits) {
            out.append(s.digits, s.digits + length);
            out.append(static_cast<std::size_t>(intDigits - length), '0');
        } else {
            out.append(s.digits, s.digits + intDigits);
            out += decimalSeparator;
            out.append(s.digits + intDigits, s.digits + length);
        }
    }
}

void AppendPrintedNumber(std::string& out, double value, char decimalSeparator) {
    if (!(value < 0))
        out += ' ';
    AppendGeneralForm(out, value, decimalSeparator);
    out += ' ';
}

std::string FormatPattern(double value, std::string_view pattern, char decimalSeparator) {
    std::string out;
    NumberPattern(pattern).AppendTo(out, value, decimalSeparator);
    return out;
}

std::string FormatText(std::string_view text, std::string_view pattern) {
    std::size_t width = 0;
    for (char c : pattern)
        if (c == '@')
            ++width;
    std::size_t length = 0; // in code points
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++length;
    std::string out;
    if (length < width)
        out.append(width - length, ' ');
    out += text;
    return out;
}

std::string GeneralForm(double value, char decimalSeparator) {
    std::string out;
    AppendGeneralForm(out, value, decimalSeparator);
    return out;
}

std::string PrintedNumber(double value, char decimalSeparator) {
    std::string out;
    AppendPrintedNumber(out, value, decimalSeparator);
    return out;
}

} // namespace kod
