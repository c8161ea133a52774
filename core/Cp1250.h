#pragma once

#include <string>
#include <string_view>

namespace kod {

// Windows-1250 bytes to UTF-8. Bytes without a character in the code page map to U+FFFD.
std::string FromCp1250(std::string_view bytes);

// UTF-8 to Windows-1250 bytes. Characters outside the code page become "?".
std::string ToCp1250(std::string_view utf8);

} // namespace kod
