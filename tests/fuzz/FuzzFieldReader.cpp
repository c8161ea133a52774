// The field reader of parametr.txt and pathpdf.txt on any bytes: it ends, never reads past the
// text, and each field it gives is no longer than the text.
#include "core/Cp1250.h"
#include "core/FieldReader.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        kod::FromCp1250(std::string(reinterpret_cast<const char*>(data), size));
    kod::FieldReader reader(text);
    // Alternating kinds, as a catalogue row and the series mix them; every call consumes or ends.
    for (std::size_t i = 0; i <= text.size() + 1; ++i) {
        const auto n = i % 3 == 2 ? reader.NextNumber() : std::nullopt;
        const auto t = i % 3 != 2 ? reader.NextText() : std::nullopt;
        if (!n && !t)
            return 0;
        FUZZ_CHECK(n ? !std::isnan(*n) : t->size() <= text.size());
    }
    FUZZ_CHECK(!"the reader never reached the end");
    return 0;
}
