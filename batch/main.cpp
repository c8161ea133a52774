// varmi-dobor: the selection of a whole table of operating points from the command line.
#include "batch/Batch.h"
#include "core/AppDirectory.h"
#include "core/Catalogue.h"
#include "core/Platform.h"

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kAllSelected = 0, kSomeRejected = 1, kNothingDone = 2;

const char* const kHelp = R"(Użycie: varmi-dobor [OPCJE] PLIK
       varmi-dobor [OPCJE] - < PLIK

Dobiera wymienniki ciepła dla każdego wiersza tabeli punktów pracy, tak jak okno
doboru programu Varmi, i zapisuje wyniki w kolejności wierszy.

Tabela ma wiersz nagłówka; kolumny po nazwie, w dowolnej kolejności (wielkość
liter i polskie znaki bez znaczenia): Q (lub moc) [kW], T11, T21, T22 [°C],
Dp1, Dp2 [kPa] wymagane; nazwa i przeznaczenie (c.o. lub c.w., domyślnie c.o.)
opcjonalne; pozostałe kolumny przepisywane są do wyniku. Separator ; , lub
tabulator, przecinek lub kropka dziesiętna, UTF-8 (z BOM lub bez) albo
Windows-1250. Wiersz z wartością spoza zakresu okna doboru dostaje komunikat
w kolumnie „błąd”, a obliczenia trwają dalej.

Opcje:
  -o PLIK            zapisz wynik w PLIKU (zastępowanym dopiero po zakończeniu);
                     domyślnie na standardowe wyjście
  -j N               licz w N wątkach (domyślnie: wszystkie rdzenie)
  -q                 bez paska postępu
  --format csv|json  tabela (domyślnie) albo jeden obiekt JSON na wiersz
  --raport KATALOG   zapisz przebieg obliczeń każdego wiersza jak raport.txt
  --katalog PLIK     katalog wymienników (domyślnie parametr.txt programu)
  --separator S      separator wyniku: ; , albo tab
  --decimal Z        znak dziesiętny wyniku: , albo .
  --utf8             zapisz wynik w UTF-8
  --help             ten opis

Kod wyjścia: 0 dobrano wszystkie wiersze, 1 część wierszy odrzucono (lub nie
zapisano przebiegu obliczeń), 2 nic nie zrobiono (błąd wywołania, pliku
wejściowego lub katalogu).
)";

// The temporary output, removed when a signal ends the run.
char gTempPath[4096] = "";

void OnSignal(int sig) {
    if (gTempPath[0])
        unlink(gTempPath);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

struct UsageError {
    std::string message;
};

struct Invocation {
    batch::Options options;
    std::string input, output;
    std::string catalogue;
    bool quiet = false, help = false;
};

Invocation Parse(int argc, char* argv[]) {
    Invocation inv;
    inv.options.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> std::string {
            if (i + 1 >= argc)
                throw UsageError{"opcja " + a + " wymaga wartości (" + what + ")"};
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            inv.help = true;
        } else if (a == "-q") {
            inv.quiet = true;
        } else if (a == "-o") {
            inv.output = value("nazwa pliku");
        } else if (a == "-j") {
            const std::string v = value("liczba wątków");
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || n < 1 || n > 256)
                throw UsageError{"opcja -j wymaga liczby wątków od 1 do 256, a nie „" + v + "”"};
            inv.options.threads = static_cast<int>(n);
        } else if (a == "--format") {
            const std::string v = value("csv albo json");
            if (v != "csv" && v != "json")
                throw UsageError{"opcja --format przyjmuje csv albo json, a nie „" + v + "”"};
            inv.options.format = v == "json" ? batch::Format::Json : batch::Format::Csv;
        } else if (a == "--raport") {
            inv.options.raportDir = value("katalog");
        } else if (a == "--katalog") {
            inv.catalogue = value("plik parametr.txt");
        } else if (a == "--separator") {
            const std::string v = value("; , albo tab");
            if (v == "tab" || v == "\t")
                inv.options.separator = '\t';
            else if (v == ";" || v == ",")
                inv.options.separator = v[0];
            else
                throw UsageError{"opcja --separator przyjmuje ; , albo tab, a nie „" + v + "”"};
        } else if (a == "--decimal") {
            const std::string v = value(", albo .");
            if (v != "," && v != ".")
                throw UsageError{"opcja --decimal przyjmuje , albo ., a nie „" + v + "”"};
            inv.options.decimal = v[0];
        } else if (a == "--utf8") {
            inv.options.utf8 = true;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"nieznana opcja " + a};
        } else if (!inv.input.empty()) {
            throw UsageError{"podano więcej niż jeden plik wejściowy (" + a + ")"};
        } else {
            inv.input = a;
        }
    }
    if (!inv.help && inv.input.empty())
        throw UsageError{"nie podano pliku wejściowego"};
    return inv;
}

// The catalogue: the given file, or parametr.txt of the application directory (the user's own
// for an installed copy). Returns the start-up message when it cannot be loaded.
std::string LoadCatalogue(const std::string& given) {
    try {
        if (!given.empty()) {
            kod::LoadCatalogue(given);
            return {};
        }
        std::error_code ec;
        const fs::path exeDir = fs::read_symlink("/proc/self/exe", ec).parent_path();
        fs::path userDir;
        if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
            userDir = fs::path(xdg) / "varmi";
        else if (const char* home = std::getenv("HOME"); home && *home)
            userDir = fs::path(home) / ".local/share/varmi";
        const kod::AppDirectoryChoice where = kod::ChooseAppDirectory(exeDir, userDir);
        if (!where.error.empty())
            return where.error;
        kod::LoadCatalogue(where.dir / "parametr.txt");
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// Data rows of a regular file, for the progress bar (lines less the header); 0 when unknown.
long CountRows(const std::string& input) {
    if (input == "-")
        return 0;
    std::FILE* f = std::fopen(input.c_str(), "rb");
    if (!f)
        return 0;
    long lines = 0;
    char buf[1 << 16];
    std::size_t got = 0;
    char last = '\n';
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) {
        for (std::size_t i = 0; i < got; ++i)
            lines += buf[i] == '\n';
        last = buf[got - 1];
    }
    std::fclose(f);
    lines += last != '\n';
    return std::max(0L, lines - 1);
}

class ProgressBar {
public:
    explicit ProgressBar(long total) : total_(total), start_(Clock::now()), shown_(start_) {}
    void Show(long done, bool last = false) {
        const auto now = Clock::now();
        if (!last && now - shown_ < std::chrono::milliseconds(200))
            return;
        shown_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        const double rate = seconds > 0 ? done / seconds : 0;
        std::string line = "\r";
        if (total_ > 0) {
            const long width = 30, filled = std::min(width, done * width / total_);
            line += "[" + std::string(static_cast<std::size_t>(filled), '#') +
                    std::string(static_cast<std::size_t>(width - filled), ' ') + "] ";
            line += std::to_string(done) + "/" + std::to_string(total_) + " wierszy";
        } else {
            line += std::to_string(done) + " wierszy";
        }
        line += ", " + std::to_string(static_cast<long>(rate)) + " w/s";
        if (total_ > 0 && rate > 0) {
            const long left = static_cast<long>(std::max(0L, total_ - done) / rate);
            char text[64];
            std::snprintf(text, sizeof text, ", pozostało %ld:%02ld ", left / 60, left % 60);
            line += text;
        }
        if (last)
            line += "\n";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
    }

private:
    using Clock = std::chrono::steady_clock;
    long total_;
    Clock::time_point start_, shown_;
};

void Fail(const std::string& message) {
    std::cerr << "varmi-dobor: " << message << "\n";
}

std::string SystemError() {
    return std::strerror(errno);
}

} // namespace

int main(int argc, char* argv[]) {
    kod::IgnoreFileSizeLimitSignal();
    std::setlocale(LC_MESSAGES, "");
    Invocation inv;
    try {
        inv = Parse(argc, argv);
    } catch (const UsageError& e) {
        Fail(e.message + "\nSpróbuj: varmi-dobor --help");
        return kNothingDone;
    }
    if (inv.help) {
        std::cout << kHelp;
        return std::cout.flush() ? kAllSelected : kNothingDone;
    }
    if (const std::string error = LoadCatalogue(inv.catalogue); !error.empty()) {
        Fail(error);
        return kNothingDone;
    }

    std::FILE* in = inv.input == "-" ? stdin : std::fopen(inv.input.c_str(), "rb");
    if (!in) {
        Fail("nie można otworzyć pliku wejściowego " + inv.input + ": " + SystemError());
        return kNothingDone;
    }
    if (!inv.options.raportDir.empty()) {
        std::error_code ec;
        fs::create_directories(inv.options.raportDir, ec);
        if (!fs::is_directory(inv.options.raportDir, ec)) {
            Fail("nie można utworzyć katalogu raportów " + inv.options.raportDir.string());
            return kNothingDone;
        }
    }

    // The output: standard output, or a temporary file beside -o renamed over it at the end.
    std::FILE* out = stdout;
    std::string temp;
    if (!inv.output.empty()) {
        const fs::path target(inv.output);
        const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
        temp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
        if (temp.size() >= sizeof gTempPath) {
            Fail("za długa nazwa pliku wynikowego " + inv.output);
            return kNothingDone;
        }
        std::strcpy(gTempPath, temp.c_str());
        for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
            std::signal(sig, OnSignal);
        const int fd = mkstemp(gTempPath);
        if (fd < 0) {
            gTempPath[0] = 0;
            Fail("nie można utworzyć pliku wynikowego w katalogu " + dir.string() + ": " +
                 SystemError());
            return kNothingDone;
        }
        temp = gTempPath;
        struct stat existing {};
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd,
               stat(inv.output.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~mask);
        out = fdopen(fd, "wb");
    }
    auto discard = [&] {
        if (!temp.empty()) {
            if (out)
                std::fclose(out);
            unlink(temp.c_str());
            gTempPath[0] = 0;
        }
    };

    batch::Stats stats;
    try {
        batch::TableReader reader(in);
        batch::Selector selector(reader.Header(), inv.options, batch::FormFor(reader, inv.options));
        const bool bar = !inv.quiet && isatty(STDERR_FILENO);
        ProgressBar progress(bar ? CountRows(inv.input) : 0);
        stats = batch::RunTable(
            reader, selector, inv.options.threads,
            [&](const std::string& bytes) {
                if (!bytes.empty() &&
                    std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
                    throw std::runtime_error("nie można zapisać wyniku: " + SystemError());
            },
            [&](long done) {
                if (bar)
                    progress.Show(done);
            });
        if (bar)
            progress.Show(stats.rows, true);
        if (std::fflush(out) != 0 || (!temp.empty() && fsync(fileno(out)) != 0))
            throw std::runtime_error("nie można zapisać wyniku: " + SystemError());
    } catch (const batch::TableError& e) {
        discard();
        Fail((inv.input == "-" ? std::string("standardowe wejście") : inv.input) + ": " + e.what());
        return kNothingDone;
    } catch (const std::exception& e) {
        discard();
        Fail(e.what());
        return kNothingDone;
    }
    if (!temp.empty()) {
        const bool closed = std::fclose(out) == 0;
        out = nullptr;
        if (!closed || std::rename(temp.c_str(), inv.output.c_str()) != 0) {
            Fail("nie można zapisać pliku wynikowego " + inv.output + ": " + SystemError());
            discard();
            return kNothingDone;
        }
        gTempPath[0] = 0;
    }
    if (stats.raportFailures > 0)
        Fail("nie można zapisać " + std::to_string(stats.raportFailures) +
             " plików przebiegu obliczeń w katalogu " + inv.options.raportDir.string());
    if (stats.rejected > 0 && !inv.quiet)
        Fail("odrzucono " + std::to_string(stats.rejected) + " z " + std::to_string(stats.rows) +
             " wierszy (komunikaty w kolumnie błąd)");
    return stats.rejected > 0 || stats.raportFailures > 0 ? kSomeRejected : kAllSelected;
}
