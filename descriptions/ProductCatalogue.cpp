#include "descriptions/ProductCatalogue.h"

#include "core/Platform.h"

#include <array>

namespace descriptions {

namespace {

// Three files are not named after their key: two begin with a capital, one is shorter. The
// insulation jackets have no button.
constexpr std::array<Product, 20> kProducts = {{
    {"orv", "Orv.pdf", "wymienniki płaszczowo-rurowe ORV woda - woda", "orv"},
    {"orvpara", "orvpara.pdf", "wymienniki parowo-wodne ORV-P", "orvpara"},
    {"plytowe", "plytowe.pdf", "wymienniki płytowe skręcane", "plytowe"},
    {"lutowane", "lutowane.pdf", "wymienniki płytowe lutowane", "lutowane"},
    {"spiralne", "spiralne.pdf", "wymienniki spiralne", "spiralne"},
    {"wezly", "Wezly.pdf", "kompaktowe węzły cieplne", "wezly"},
    {"wezlycwu", "wezlycwu.pdf", "węzły ciepłej wody użytkowej", "wezlycwu"},
    {"zasobniki", "zasobniki.pdf", "zasobniki ciepłej wody użytkowej", "zasobniki"},
    {"podgrzewacze", "podgrzewacze.pdf", "podgrzewacze pojemnościowe z wężownicą", "podgrzewacze"},
    {"kotly", "kotly.pdf", "kotły wodne niskotemperaturowe", "kotly"},
    {"nagrzewnice", "nagrzewnice.pdf", "nagrzewnice wodne powietrza", "nagrzewnice"},
    {"chlodnice", "chlodnice.pdf", "chłodnice oleju i wody technologicznej", "chlodnice"},
    {"skraplacze", "skraplacze.pdf", "skraplacze pary i schładzacze kondensatu", "skraplacze"},
    {"odgazowywacze", "odgaz.pdf", "odgazowywacze termiczne wody zasilającej", "odgazowywacze"},
    {"naczynia", "naczynia.pdf", "naczynia wzbiorcze przeponowe", "naczynia"},
    {"rozdzielacze", "rozdzielacze.pdf", "rozdzielacze i kolektory instalacji", "rozdzielacze"},
    {"sprzegla", "sprzegla.pdf", "sprzęgła hydrauliczne", "sprzegla"},
    {"odmulacze", "odmulacze.pdf", "odmulacze i filtroodmulniki", "odmulacze"},
    {"regulatory", "regulatory.pdf", "regulatory temperatury bezpośredniego działania",
     "regulatory"},
    {"izolacje", "izolacje.pdf", "izolacje termiczne wymienników", ""},
}};

} // namespace

std::span<const Product> Products() {
    return kProducts;
}

std::string DescriptionFile(std::string_view key) {
    for (const Product& p : kProducts)
        if (key == p.key)
            return p.file;
    return {};
}

std::string DescriptionPath(const std::string& name, bool testMode, const std::string& pdfPath) {
    return (testMode ? kod::DevelopmentPdfDirectory() : pdfPath) + name;
}

std::string MissingDescriptionText(const std::string& name, const std::string& pdfPath) {
    return "Nie ma pliku <<" + name + ">> w katalogu " + pdfPath +
           " w menu <<Ustawienia>> wybierz właściwy katalog z plikami .pdf";
}

std::string IconName(std::string_view picture) {
    return "opisy/" + std::string(picture);
}

std::string PicturePath(std::string_view picture) {
    return ":/icons/" + IconName(picture) + ".svg";
}

} // namespace descriptions
