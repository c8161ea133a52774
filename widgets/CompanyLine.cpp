#include "widgets/CompanyLine.h"

#include "widgets/PrintPage.h"

namespace widgets {

void PrintCompanyLine(PrintPage& page, int leadingBlanks) {
    page.SetFontName(QStringLiteral("Times New Roman CE"));
    page.SetFontSize(10);
    page.SetBold(false);
    page.SetItalic(false);
    page.Print(QString(leadingBlanks, QLatin1Char(' ')), 0, false);
    page.SetBold(true);
    page.SetItalic(true);
    page.Print(QStringLiteral("Skarvel Polska Spółka z o.o. "), 0, false);
    page.SetBold(false);
    page.SetItalic(false);
    page.Print(QString::fromUtf8(kMakerAddress));
}

} // namespace widgets
