#pragma once

#include <QString>

namespace widgets {

class PrintPage;

// The maker's postal address, telephone and fax, printed after the company name.
inline const char* const kMakerAddress =
    "ul. Kotłowa 7, 60-461 Poznań, tel. (61) 852 40 17, fax (61) 852 40 18";

// The company line of every report: `leadingBlanks` blanks, the company name in bold italic and
// the address line upright, in "Times New Roman CE" 10 points; ends the line.
void PrintCompanyLine(PrintPage& page, int leadingBlanks);

} // namespace widgets
