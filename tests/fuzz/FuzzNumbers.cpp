// The number reader and the display patterns on any bytes: no crash, and a number written by a
// pattern or in its general form reads back as the number, within what the pattern keeps.
#include "core/Numbers.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (char sep : {'.', ','}) {
        const double v = kod::Val(text, sep);
        if (kod::IsNumber(text, sep))
            FUZZ_CHECK(std::isfinite(v));
    }

    double value = 0;
    if (size >= sizeof value)
        std::memcpy(&value, data, sizeof value);
    else
        value = kod::Val(text);
    static const char* const kPatterns[] = {"#0.00", "##0.000", "##0.0\\%", "#0", "###0",
                                            "####",  "#0.##",   "#.#",      "0",  "00"};
    for (const char* pattern : kPatterns) {
        for (char sep : {'.', ','}) {
            const std::string shown = kod::FormatPattern(value, pattern, sep);
            FUZZ_CHECK(shown.size() < 400);
            FUZZ_CHECK(std::isfinite(value) || shown == "---");
            // Decimals the pattern keeps, and how far the shown number may be from the value.
            const char* point = std::strchr(pattern, '.');
            const int decimals = point ? int(std::strspn(point + 1, "#0")) : 0;
            if (std::fabs(value) < 1e12 && shown.find('0') != std::string::npos) {
                const double back = kod::Val(shown, sep);
                FUZZ_CHECK(std::fabs(back - value) <=
                           0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(value) * 1e-14);
            }
        }
    }
    if (std::isfinite(value)) {
        const std::string general = kod::GeneralForm(value, '.');
        const double back = kod::Val(general);
        // Fifteen digits of the largest doubles round past the largest double: only those read
        // back as infinite.
        if (std::fabs(value) < 1.7976931348623e308)
            FUZZ_CHECK(back == value || std::fabs(back - value) <= std::fabs(value) * 1e-14);
        else
            FUZZ_CHECK(std::fabs(back) >= std::fabs(value) * (1 - 1e-14));
        const std::string printed = kod::PrintedNumber(value, ',');
        FUZZ_CHECK(printed.front() == (value < 0 ? '-' : ' ') && printed.back() == ' ');
    }
    return 0;
}
