#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kod {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLeadingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Reads the number at the start of `text` (after the caller skipped the leading blanks). When
// skipBlanks is set, blanks and tabs inside the number are ignored too.
double ReadNumber(std::string_view text, bool skipBlanks) {
    std::size_t i = 0;
    auto skip = [&] {
        while (skipBlanks && i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;    // integer and fraction digits without the point
    long long pointAt = 0; // number of integer digits
    bool seenPoint = false;
    for (skip(); i < text.size(); ++i, skip()) {
        char c = text[i];
        if (IsDigit(c)) {
            digits += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            pointAt = static_cast<long long>(digits.size());
        } else {
            break;
        }
    }
    if (!seenPoint)
        pointAt = static_cast<long long>(digits.size());

    long long exponent = 0;
    if (i < text.size() && !digits.empty()) {
        char c = text[i];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
            std::size_t j = i + 1;
            bool expNegative = false;
            if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
                expNegative = text[j] == '-';
                ++j;
            }
            constexpr long long kExponentCap = 100000; // far beyond the double range
            for (; j < text.size(); ++j) {
                if (IsDigit(text[j])) {
                    exponent = std::min(exponent * 10 + (text[j] - '0'), kExponentCap);
                } else if (!(skipBlanks && (text[j] == ' ' || text[j] == '\t'))) {
                    break;
                }
            }
            if (expNegative)
                exponent = -exponent;
        }
    }

    // Drop leading zeros; the decimal exponent of the first remaining digit decides the range.
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return negative ? -0.0 : 0.0;
    std::string mantissa = digits.substr(first);
    long long scale = pointAt - static_cast<long long>(first) - 1 + exponent; // of mantissa[0]
    if (scale > 400)
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    if (scale < -400)
        return negative ? -0.0 : 0.0;
    // mantissa[0].mantissa[1..] E scale
    std::string normal;
    normal.reserve(mantissa.size() + 8);
    normal += mantissa[0];
    if (mantissa.size() > 1) {
        normal += '.';
        normal.append(mantissa, 1);
    }
    normal += 'e';
    normal += std::to_string(scale);
    double value = 0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        value = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

// The decimal digits of |value| rounded half away from zero to `decimals` places, going through
// its 15-significant-digit text. Returns the digits with the point implied `decimals` places from
// the right (at least decimals + 1 digits).
std::string RoundedDigits(double value, int decimals) {
    char buf[40];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf)); // d.dddddddddddddde±xx
    std::size_t e = sci.find('e');
    int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    std::string sig;
    sig += sci[0];
    sig.append(sci.substr(2, e - 2));
    // Place the digits on a grid whose last position is the last kept decimal.
    // Position p (0-based from the left) of sig has decimal weight 10^(exponent - p).
    // We want the digits down to weight 10^(-decimals).
    int keep = exponent + decimals + 1; // digits of sig to keep
    std::string out;
    bool roundUp = false;
    if (keep <= 0) {
        // Everything lies below the last kept decimal; only the rounding can leave a 1.
        roundUp = keep == 0 && sig[0] >= '5';
        out.assign(static_cast<std::size_t>(decimals + 1), '0');
    } else {
        if (static_cast<std::size_t>(keep) >= sig.size()) {
            out = sig;
            out.append(static_cast<std::size_t>(keep) - sig.size(), '0');
        } else {
            out = sig.substr(0, static_cast<std::size_t>(keep));
            roundUp = sig[static_cast<std::size_t>(keep)] >= '5';
        }
        if (out.size() < static_cast<std::size_t>(decimals + 1))
            out.insert(0, static_cast<std::size_t>(decimals + 1) - out.size(), '0');
    }
    if (roundUp) {
        int k = static_cast<int>(out.size()) - 1;
        while (k >= 0 && out[static_cast<std::size_t>(k)] == '9') {
            out[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k < 0)
            out.insert(out.begin(), '1');
        else
            ++out[static_cast<std::size_t>(k)];
    }
    return out;
}

struct Pattern {
    std::string prefix, suffix;
    int intRequired = 0; // "0" digits before the point
    int intDigits = 0;   // all digit places before the point
    bool hasPoint = false;
    int decRequired = 0; // leading "0" places after the point
    int decimals = 0;    // all digit places after the point
    bool percent = false;
};

Pattern ParsePattern(std::string_view p) {
    Pattern r;
    std::string* literal = &r.prefix;
    bool inDigits = false, afterDigits = false, optionalDecimalSeen = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        char c = p[i];
        if (c == '\\' && i + 1 < p.size()) {
            (inDigits ? r.suffix : *literal) += p[++i];
            if (inDigits) {
                afterDigits = true;
                literal = &r.suffix;
            }
            continue;
        }
        bool digitChar = c == '0' || c == '#';
        if ((digitChar || c == '.') && !afterDigits) {
            inDigits = true;
            if (c == '.') {
                r.hasPoint = true;
            } else if (!r.hasPoint) {
                ++r.intDigits;
                if (c == '0')
                    ++r.intRequired;
            } else {
                ++r.decimals;
                if (c == '0' && !optionalDecimalSeen)
                    ++r.decRequired;
                else
                    optionalDecimalSeen = true;
            }
            continue;
        }
        if (c == '%')
            r.percent = true;
        if (inDigits) {
            afterDigits = true;
            literal = &r.suffix;
        }
        *literal += c;
    }
    return r;
}

} // namespace

double Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingBlank(text[i]))
        ++i;
    return ReadNumber(text.substr(i), false);
}

double ValIgnoringBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingBlank(text[i]))
        ++i;
    return ReadNumber(text.substr(i), true);
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

std::string FormatPattern(double value, std::string_view pattern, char decimalSeparator) {
    if (!std::isfinite(value))
        return "---";
    Pattern p = ParsePattern(pattern);
    if (p.percent)
        value *= 100.0;
    if (!std::isfinite(value))
        return "---";
    std::string digits = RoundedDigits(value, p.decimals);
    std::string intPart = digits.substr(0, digits.size() - static_cast<std::size_t>(p.decimals));
    std::string decPart = digits.substr(digits.size() - static_cast<std::size_t>(p.decimals));
    bool zero = digits.find_first_not_of('0') == std::string::npos;

    // Integer part: no leading zeros beyond the required places.
    std::size_t firstNonZero = intPart.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        intPart.clear();
    else
        intPart.erase(0, firstNonZero);
    if (intPart.size() < static_cast<std::size_t>(p.intRequired))
        intPart.insert(0, static_cast<std::size_t>(p.intRequired) - intPart.size(), '0');

    // Optional decimals lose their trailing zeros.
    while (decPart.size() > static_cast<std::size_t>(p.decRequired) && decPart.back() == '0')
        decPart.pop_back();

    std::string number = intPart;
    if (!decPart.empty()) {
        number += decimalSeparator;
        number += decPart;
    }
    if (number.empty())
        number = "0";
    std::string out;
    if (value < 0 && !zero)
        out += '-';
    out += p.prefix;
    out += number;
    out += p.suffix;
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
        out.assign(width - length, ' ');
    out += text;
    return out;
}

// Up to 15 significant digits without trailing zeros; scientific notation ("1E+16", "1.5E-05")
// when the decimal exponent is 15 or more, or below -4.
std::string GeneralForm(double value, char decimalSeparator) {
    if (!std::isfinite(value))
        return "---";
    if (value == 0)
        return "0";
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    bool negative = sci[0] == '-';
    if (negative)
        sci.remove_prefix(1);
    std::size_t e = sci.find('e');
    int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
    std::string sig;
    sig += sci[0];
    sig.append(sci.substr(2, e - 2));
    while (sig.size() > 1 && sig.back() == '0')
        sig.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out += sig[0];
        if (sig.size() > 1) {
            out += decimalSeparator;
            out.append(sig, 1);
        }
        char expText[16];
        std::snprintf(expText, sizeof expText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        out += expText;
    } else if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += sig;
    } else {
        std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
        if (sig.size() <= intDigits) {
            out += sig;
            out.append(intDigits - sig.size(), '0');
        } else {
            out.append(sig, 0, intDigits);
            out += decimalSeparator;
            out.append(sig, intDigits);
        }
    }
    return out;
}

std::string PrintedNumber(double value, char decimalSeparator) {
    std::string out;
    if (!(value < 0))
        out += ' ';
    out += GeneralForm(value, decimalSeparator);
    out += ' ';
    return out;
}

} // namespace kod
