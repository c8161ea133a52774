// varmi-dobor run as a process on the tables in tests/data/batch and on random tables.
#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "selection/SelectionRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const fs::path kData = VARMI_BATCH_DATA;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

struct Result {
    int status = -1;
    std::string out, err;
};

// Runs the tool with the bundled catalogue unless args name another.
class Tool : public ::testing::Test {
protected:
    fs::path dir_ = fs::temp_directory_path() /
                    ("varmi-dobor-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::remove_all(dir_), fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    Result Run(const std::string& args, bool catalogue = true) {
        const std::string cmd = std::string("'") + VARMI_DOBOR + "' " +
                                (catalogue ? "--katalog '" VARMI_CATALOGUE "' " : "") + args +
                                " >'" + (dir_ / "out").string() + "' 2>'" +
                                (dir_ / "err").string() + "'";
        const int raw = std::system(cmd.c_str());
        Result r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(dir_ / "out"), Read(dir_ / "err")};
        fs::remove(dir_ / "out"), fs::remove(dir_ / "err");
        return r;
    }
};

// The one value of `key` after position `from` in a JSON line, as written.
std::string JsonValue(const std::string& line, const std::string& key, std::size_t& from) {
    const std::string tag = "\"" + key + "\":";
    from = line.find(tag, from);
    if (from == std::string::npos)
        return "<missing " + key + ">";
    from += tag.size();
    const std::size_t end =
        line[from] == '"' ? line.find('"', from + 1) + 1 : line.find_first_of(",}", from);
    return line.substr(from, end - from);
}

} // namespace

// The default point in every dialect (tests/data/batch/dialects.txt): the output holds each part.
TEST_F(Tool, Dialects) {
    std::ifstream table(kData / "dialects.txt");
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells{""};
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            const char next = i + 1 < line.size() ? line[i + 1] : 0;
            if (c == '|')
                cells.emplace_back();
            else if (c != '\\')
                cells.back() += c;
            else if (next == 'x')
                cells.back() += char(std::stoi(line.substr(i + 2, 2), nullptr, 16)), i += 3;
            else
                cells.back() += next == 'r'   ? '\r'
                                : next == 'n' ? '\n'
                                : next == 't' ? '\t'
                                              : next,
                    ++i;
        }
        const Result r = Run("'" + (kData / cells[0]).string() + "' " + cells[1]);
        EXPECT_EQ(r.status, 0) << line << r.err;
        EXPECT_EQ(r.err, "") << line; // no progress bar off a terminal
        for (std::size_t i = 2; i < cells.size(); ++i)
            EXPECT_NE(r.out.find(cells[i]), std::string::npos) << cells[i] << "\nin\n" << r.out;
    }
}

// Every rejected row carries the panel's message that its last column expects; the rest none.
TEST_F(Tool, RejectedRowsCarryThePanelsMessages) {
    const Result r = Run("'" + (kData / "rejected.csv").string() + "' -q");
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    int rows = 0;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        for (std::size_t at = 0, end; (end = line.find(';', at)); at = end + 1) {
            fields.push_back(line.substr(at, end - at));
            if (end == std::string::npos)
                break;
        }
        ASSERT_EQ(fields.size(), 9u + 4 * 10 + 4) << line;
        EXPECT_EQ(fields.back(), fields[8]) << fields[0];
        EXPECT_EQ(fields[9].empty(), !fields[8].empty()) << fields[0]; // no results when rejected
        ++rows;
    }
    EXPECT_EQ(rows, 22);
}

// The search range from the sliders' rounding (T11 150.5 -> 150, T21 44.5 -> 44; T21 144 held
// at 150 - 7 = 143), and the trace the same bytes as the window's raport.txt.
TEST_F(Tool, RaportPerRow) {
    ASSERT_EQ(
        Run("'" + (kData / "raport.csv").string() + "' --raport '" + (dir_ / "r").string() + "'")
            .status,
        0);
    const std::string a = Read(dir_ / "r" / "raport_1_A.txt");
    const std::string b = Read(dir_ / "r" / "raport_2_B.txt");
    const std::string zone(14, ' ');
    EXPECT_NE(a.find("\r\n" + zone + "T12min= 49 \r\n" + zone + "T12max= 140 \r\n"), a.npos);
    EXPECT_NE(b.find("\r\n" + zone + "T12min= 148 \r\n" + zone + "T12max= 140 \r\n"), b.npos);

    kod::LoadCatalogue(VARMI_CATALOGUE);
    kod::CalcLog& log = kod::Log();
    log.Open(dir_ / "window.txt", ',');
    log.WriteSelectionStart();
    const panel::SearchInput in{{200, 150.5, 0, 44.5, 100, 20, 15, true}, 44, 150};
    selection::RunSelection(in, [&](int m, double from, double to) {
        log.WriteSelectionModel(from, to, static_cast<std::int16_t>(m), true, 20, 15, 150.5, 44.5,
                                100, 200);
    });
    log.Close();
    EXPECT_EQ(a, Read(dir_ / "window.txt"));
}

// A few hundred random valid points: the JSON equals the selection run's values field by field,
// and the CSV is the same bytes on one and on four threads.
TEST_F(Tool, RandomPointsAsTheSelectionRun) {
    kod::LoadCatalogue(VARMI_CATALOGUE);
    std::mt19937 random(20261207);
    auto uniform = [&](double lo, double hi) {
        return std::round(std::uniform_real_distribution<double>(lo, hi)(random) * 10) / 10;
    };
    std::string table = "Q;Dp1;T11;Dp2;T21;T22;przeznaczenie\n";
    std::vector<selection::SelectionInput> points;
    for (int i = 0; i < 300; ++i) {
        const int t11 = std::uniform_int_distribution(20, 210)(random);
        const int t21 = std::uniform_int_distribution(1, t11 - 7)(random);
        const double q = uniform(10, 1000), dp1 = uniform(1, 100), dp2 = uniform(1, 40);
        const panel::OperatingPoint p{
            q, double(t11), 0, double(t21), uniform(t21 + 1, t11 - 5), dp1, dp2, random() % 2 == 0};
        points.push_back({p, t21, t11});
        std::ostringstream row;
        row << p.HeatOutput << ';' << p.AllowedDropHeating << ';' << t11 << ';'
            << p.AllowedDropHeated << ';' << t21 << ';' << p.HeatedOutlet << ';'
            << (p.CentralHeating ? "c.o." : "c.w.") << '\n';
        table += row.str();
    }
    Write(dir_ / "in.csv", table);
    const std::string in = "'" + (dir_ / "in.csv").string() + "'";
    const Result json = Run(in + " --format json -j 2");
    ASSERT_EQ(json.status, 0) << json.err;
    std::istringstream lines(json.out);
    std::string line;
    for (const selection::SelectionInput& point : points) {
        ASSERT_TRUE(std::getline(lines, line));
        const selection::SelectionResult run = selection::RunSelection(point, nullptr);
        std::size_t at = 0;
        for (const selection::ModelResult& m : run.models) {
            const kod::EvaluationRecord& e = m.evaluation;
            const std::pair<const char*, double> values[] = {
                {"n", m.n},     {"T12", m.T12}, {"kw", m.kw}, {"ke", m.ke}, {"nadmiar", m.excess},
                {"dP1", e.dP1}, {"dP2", e.dP2}, {"G1", e.G1}, {"G2", e.G2}};
            for (const auto& [key, value] : values) {
                const bool always = std::string("kw G1 G2").find(key) != std::string::npos;
                const bool shown = (m.found || always) && std::isfinite(value);
                const std::string text = JsonValue(line, key, at);
                if (shown)
                    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << key << " in " << line;
                else
                    EXPECT_EQ(text, "null") << key << " in " << line;
            }
            const char* verdicts[] = {"niemożliwe", "możliwe", "nadmiar", "najkorzystniejszy"};
            EXPECT_EQ(JsonValue(line, "werdykt", at),
                      '"' + std::string(verdicts[int(m.kind)]) + '"');
        }
        const std::string best = run.Best() < 0 ? "null" : '"' + kod::ModelName(run.Best()) + '"';
        EXPECT_EQ(JsonValue(line, "najkorzystniejszy", at), best);
        EXPECT_EQ(JsonValue(line, "obniżenie", at),
                  run.Best() >= 0 && run.choice.LoweringAdvised() ? "true" : "false");
    }
    EXPECT_EQ(Run(in + " -j 1 -o '" + (dir_ / "one.csv").string() + "'").status, 0);
    EXPECT_EQ(Run(in + " -j 4 -o '" + (dir_ / "four.csv").string() + "'").status, 0);
    const std::string one = Read(dir_ / "one.csv");
    EXPECT_EQ(one, Read(dir_ / "four.csv"));
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 301); // the header and every row
}

// Whatever cannot be done gives status 2 and a message naming the cause, and leaves an existing
// output file as it was, with nothing beside it. IN stands for the input file.
TEST_F(Tool, FailuresLeaveTheOutputUntouched) {
    const std::string header = "nazwa;Q;Dp1;T11;Dp2;T21;T22\n";
    const std::tuple<std::string, std::string, std::string> kCases[] = {
        {"", "IN", "plik wejściowy jest pusty"},
        {"Q;T11;T21;T22;Dp1\n200;150;40;100;20\n", "IN", "brak wymaganej kolumny Dp2"},
        {header + "A;200;20;150;15;40;100\n\"B;200;2", "IN", "niezamknięty cudzysłów"},
        {header + "A;200;20;150;15;40;100\r\nB;200;20\r\n", "IN",
         "wiersz 3 ma 3 pól, a nagłówek 7 (kolumna 4)"},
        {std::string("\x7f\x45\x4c\x46\x02\x01\x00;", 8) + header, "IN",
         "znak sterujący o kodzie 2 (wiersz 1, kolumna 1)"},
        {header, "--katalog IN IN", "jest niekompletny"},
        {header, "--katalog /none/parametr.txt IN",
         "Nie można odczytać pliku parametr.txt (/none/parametr.txt)"},
        {header, "--xyz IN", "nieznana opcja --xyz"},
        {header, "-j 0 IN", "opcja -j wymaga liczby wątków od 1 do 256"},
        {header, "/none/stacje.csv", "nie można otworzyć pliku wejściowego /none/stacje.csv"},
    };
    for (auto [input, args, message] : kCases) {
        Write(dir_ / "in.csv", input);
        Write(dir_ / "old.csv", "stare\n");
        for (std::size_t at; (at = args.find("IN")) != std::string::npos;)
            args.replace(at, 2, "'" + (dir_ / "in.csv").string() + "'");
        const Result r = Run(args + " -o '" + (dir_ / "old.csv").string() + "'",
                             args.find("--katalog") == std::string::npos);
        EXPECT_EQ(r.status, 2) << message << ": " << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << message << ": " << r.err;
        EXPECT_EQ(Read(dir_ / "old.csv"), "stare\n") << message;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2) << message;
    }
    const Result help = Run("--help", false);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Użycie: varmi-dobor [OPCJE] PLIK\n", 0), 0u);
}
