#include "descriptions/sheets/SheetTexts.h"

namespace descriptions {

namespace {

const std::vector<SheetText>& Sheets() {
    static const std::vector<SheetText> sheets = {
        {"orv",
         "Wymienniki płaszczowo-rurowe ORV",
         "Wymienniki ORV przekazują ciepło z wody grzejnej sieci ciepłowniczej do wody instalacji "
         "centralnego ogrzewania lub ciepłej wody użytkowej. Woda grzejna płynie w rurkach ze "
         "stali nierdzewnej, woda ogrzewana w płaszczu. Kilka wymienników łączy się równolegle, "
         "gdy moc jednego nie wystarcza.",
         {{"Typoszereg", "-", "orv2.14, orv1.22, orv2.40, orv3.55"},
          {"Powierzchnia wymiany ciepła", "m²", "1,22 ÷ 3,55"},
          {"Ciśnienie robocze", "MPa", "1,6"},
          {"Temperatura wody grzejnej", "°C", "do 150"},
          {"Moc cieplna jednego wymiennika", "kW", "do 420"},
          {"Materiał rurek", "-", "stal 1.4404"}},
         {{"orv2.14 - długość / średnica", "mm", "1420 / 114"},
          {"orv1.22 - długość / średnica", "mm", "1120 / 114"},
          {"orv2.40 - długość / średnica", "mm", "1780 / 139"},
          {"orv3.55 - długość / średnica", "mm", "2240 / 168"},
          {"Masa bez wody (orv2.14 ... orv3.55)", "kg", "38 ... 86"}}},
        {"orvpara",
         "Wymienniki parowo-wodne ORV-P",
         "Wymienniki ORV-P podgrzewają wodę parą nasyconą. Para skrapla się w płaszczu, a "
         "skropliny "
         "odpływają przez odwadniacz. Nadają się do kotłowni parowych i węzłów przemysłowych.",
         {{"Ciśnienie pary", "MPa", "do 0,8"},
          {"Powierzchnia wymiany ciepła", "m²", "1,5 ÷ 6,0"},
          {"Moc cieplna", "kW", "150 ÷ 1200"},
          {"Temperatura wody na wyjściu", "°C", "do 130"}},
         {}},
        {"plytowe",
         "Wymienniki płytowe skręcane",
         "Pakiet tłoczonych płyt ze stali nierdzewnej ściśnięty śrubami między płytą stałą i "
         "dociskową. Liczbę płyt można zmienić, gdy zmieni się zapotrzebowanie na ciepło; płyty "
         "rozbiera się do czyszczenia.",
         {{"Liczba płyt", "szt.", "10 ÷ 250"},
          {"Ciśnienie robocze", "MPa", "1,6 / 2,5"},
          {"Temperatura robocza", "°C", "do 160"},
          {"Moc cieplna", "kW", "50 ÷ 5000"},
          {"Uszczelki", "-", "EPDM"}},
         {{"Wysokość ramy", "mm", "720 ÷ 1850"},
          {"Szerokość ramy", "mm", "320 ÷ 610"},
          {"Przyłącza", "DN", "32 ÷ 150"}}},
        {"lutowane",
         "Wymienniki płytowe lutowane",
         "Zwarte wymienniki z płyt lutowanych miedzią, bez uszczelek. Do węzłów mieszkaniowych, "
         "pomp ciepła i ogrzewania podłogowego.",
         {{"Liczba płyt", "szt.", "10 ÷ 120"},
          {"Ciśnienie robocze", "MPa", "3,0"},
          {"Temperatura robocza", "°C", "-10 ÷ 180"},
          {"Moc cieplna", "kW", "5 ÷ 400"}},
         {}},
        {"spiralne",
         "Wymienniki spiralne",
         "Dwa kanały zwinięte w spiralę prowadzą czynniki w przeciwprądzie. Duża prędkość "
         "przepływu "
         "ogranicza osadzanie się zanieczyszczeń, dlatego wymienniki spiralne pracują z wodą "
         "zanieczyszczoną i szlamem.",
         {{"Powierzchnia wymiany ciepła", "m²", "2 ÷ 60"},
          {"Ciśnienie robocze", "MPa", "1,0"},
          {"Temperatura robocza", "°C", "do 200"}},
         {}},
        {"wezly",
         "Kompaktowe węzły cieplne",
         "Gotowe węzły cieplne dla budynków mieszkalnych i użyteczności publicznej: wymiennik, "
         "pompa obiegowa, regulator pogodowy, zawory i aparatura kontrolna na wspólnej ramie.",
         {{"Moc cieplna c.o.", "kW", "40 ÷ 800"},
          {"Moc cieplna c.w.u.", "kW", "30 ÷ 600"},
          {"Parametry sieci", "°C", "130/70"},
          {"Zasilanie elektryczne", "V", "230"}},
         {}},
        {"wezlycwu",
         "Węzły ciepłej wody użytkowej",
         "Węzły przygotowania ciepłej wody użytkowej z wymiennikiem dwustopniowym i cyrkulacją. "
         "Regulator utrzymuje stałą temperaturę wody w punktach poboru.",
         {{"Moc cieplna", "kW", "30 ÷ 600"},
          {"Temperatura c.w.u.", "°C", "55"},
          {"Wydajność", "m³/h", "0,5 ÷ 10"}},
         {}},
        {"zasobniki",
         "Zasobniki ciepłej wody użytkowej",
         "Pionowe zasobniki emaliowane z anodą magnezową i izolacją z pianki poliuretanowej. "
         "Współpracują z węzłem cieplnym lub kotłem.",
         {{"Pojemność", "dm³", "200 ÷ 2000"},
          {"Ciśnienie robocze", "MPa", "0,6"},
          {"Temperatura maksymalna", "°C", "95"}},
         {}},
        {"podgrzewacze",
         "Podgrzewacze pojemnościowe z wężownicą",
         "Podgrzewacz z wężownicą spiralną ogrzewaną wodą z kotła lub sieci. Duża pojemność "
         "pokrywa "
         "szczytowy rozbiór wody.",
         {{"Pojemność", "dm³", "120 ÷ 1000"},
          {"Powierzchnia wężownicy", "m²", "0,8 ÷ 4,5"},
          {"Moc wężownicy", "kW", "20 ÷ 110"}},
         {}},
        {"kotly",
         "Kotły wodne niskotemperaturowe",
         "Stalowe kotły wodne na olej lub gaz do kotłowni lokalnych. Trójciągowa komora spalania i "
         "izolacja z wełny mineralnej.",
         {{"Moc nominalna", "kW", "100 ÷ 2000"},
          {"Temperatura wody", "°C", "do 110"},
          {"Sprawność", "%", "92"}},
         {}},
        {"nagrzewnice",
         "Nagrzewnice wodne powietrza",
         "Nagrzewnice z rurek miedzianych i lamel aluminiowych do central wentylacyjnych i "
         "kurtyn powietrznych.",
         {{"Moc cieplna", "kW", "5 ÷ 250"},
          {"Przepływ powietrza", "m³/h", "500 ÷ 30000"},
          {"Liczba rzędów rurek", "-", "1 ÷ 4"}},
         {}},
        {"chlodnice",
         "Chłodnice oleju i wody technologicznej",
         "Chłodnice płaszczowo-rurowe do układów hydraulicznych, sprężarek i linii "
         "technologicznych. Woda chłodząca płynie w rurkach.",
         {{"Moc chłodnicza", "kW", "5 ÷ 300"},
          {"Ciśnienie oleju", "MPa", "do 1,6"},
          {"Temperatura oleju", "°C", "do 120"}},
         {}},
        {"skraplacze",
         "Skraplacze pary i schładzacze kondensatu",
         "Skraplacze odzyskują ciepło pary odlotowej, schładzacze obniżają temperaturę skroplin "
         "przed zbiornikiem kondensatu.",
         {{"Wydajność pary", "kg/h", "100 ÷ 5000"},
          {"Ciśnienie pary", "MPa", "do 1,0"},
          {"Temperatura skroplin na wyjściu", "°C", "do 60"}},
         {}},
        {"odgazowywacze",
         "Odgazowywacze termiczne wody zasilającej",
         "Odgazowywacze usuwają tlen i dwutlenek węgla z wody zasilającej kotły parowe przez "
         "podgrzanie jej do temperatury wrzenia.",
         {{"Wydajność", "t/h", "1 ÷ 50"},
          {"Zawartość tlenu po odgazowaniu", "mg/dm³", "0,02"},
          {"Ciśnienie robocze", "MPa", "0,02"}},
         {}},
        {"naczynia",
         "Naczynia wzbiorcze przeponowe",
         "Naczynia przejmują przyrost objętości wody w zamkniętych instalacjach grzewczych. "
         "Przepona oddziela wodę od poduszki azotowej.",
         {{"Pojemność", "dm³", "8 ÷ 1000"},
          {"Ciśnienie wstępne", "bar", "1,5"},
          {"Ciśnienie maksymalne", "bar", "6"}},
         {}},
        {"rozdzielacze",
         "Rozdzielacze i kolektory instalacji",
         "Rozdzielacze z rur stalowych z króćcami dla obiegów grzewczych, izolowane i "
         "przygotowane do montażu na ścianie lub ramie.",
         {{"Liczba obiegów", "-", "2 ÷ 8"},
          {"Średnica kolektora", "DN", "80 ÷ 200"},
          {"Ciśnienie robocze", "MPa", "1,0"}},
         {}},
        {"sprzegla",
         "Sprzęgła hydrauliczne",
         "Sprzęgło rozdziela hydraulicznie obieg kotła od obiegów odbiorników; pracuje też jako "
         "odpowietrznik i odmulacz.",
         {{"Przepływ maksymalny", "m³/h", "2 ÷ 60"},
          {"Przyłącza", "DN", "25 ÷ 150"},
          {"Temperatura robocza", "°C", "do 110"}},
         {}},
        {"odmulacze",
         "Odmulacze i filtroodmulniki",
         "Odmulacze zatrzymują zawiesiny i szlam z wody instalacyjnej, chroniąc wymienniki i "
         "pompy. "
         "Odmulanie przez zawór spustowy, bez przerywania pracy.",
         {{"Przyłącza", "DN", "32 ÷ 300"},
          {"Ciśnienie robocze", "MPa", "1,6"},
          {"Oczko siatki filtra", "mm", "0,5"}},
         {}},
        {"regulatory",
         "Regulatory temperatury bezpośredniego działania",
         "Regulatory z czujnikiem cieczowym sterują zaworem bez energii pomocniczej. Utrzymują "
         "temperaturę ciepłej wody w prostych węzłach i podgrzewaczach.",
         {{"Zakres nastaw", "°C", "20 ÷ 90"},
          {"Średnica zaworu", "DN", "15 ÷ 50"},
          {"Ciśnienie nominalne", "MPa", "1,6"}},
         {}},
        {"izolacje",
         "Izolacje termiczne wymienników",
         "Zdejmowane płaszcze izolacyjne z pianki elastomerowej w osłonie z blachy, dopasowane do "
         "wymienników ORV i kolektorów.",
         {{"Grubość izolacji", "mm", "20 ÷ 50"},
          {"Współczynnik przewodzenia", "W/(m·K)", "0,036"},
          {"Temperatura stosowania", "°C", "do 150"}},
         {}},
    };
    return sheets;
}

} // namespace

const SheetText* FindSheetText(std::string_view key) {
    for (const SheetText& s : Sheets())
        if (key == s.key)
            return &s;
    return nullptr;
}

} // namespace descriptions
