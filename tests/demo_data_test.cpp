// The committed demonstration data set (data/demo): it is exactly what the
// generator writes with its default arguments, and it is fit for a run.
#include <gtest/gtest.h>

#include <iterator>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path kDemoDir = fs::path(KOVARY_SOURCE_DIR) / "data" / "demo";

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> readLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string f; in >> f;) fields.push_back(f);
    return fields;
}

// The number after the dot leader of a "Title ........ n" line.
int dotLeaderCount(const std::string& line) {
    const auto fields = fieldsOf(line);
    return fields.empty() ? -1 : std::atoi(fields.back().c_str());
}

fs::path findGenerator() {
    const fs::path besideCli = fs::path(KOVARY_CLI_PATH).parent_path() / "kovary-demo-data";
    if (fs::exists(besideCli)) return besideCli;
    const fs::path parent = fs::current_path() / ".." / "kovary-demo-data";
    if (fs::exists(parent)) return parent;
    return {};
}

// Runs the generator without a shell; its own output goes to /dev/null.
int runGenerator(const fs::path& exe, const std::vector<std::string>& args) {
    std::vector<std::string> argvText = {exe.string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class TempDir {
public:
    explicit TempDir(const std::string& tag)
        : path_(fs::temp_directory_path() /
                ("kovary-demo-" + tag + "-" + std::to_string(static_cast<long>(getpid())))) {
        fs::remove_all(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::set<std::string> fileNames(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

struct GridShape {
    int rows = 0;
    int columns = 0;
};

// Table shapes from the grid file: count line, then per table a name line,
// the row title with its count, the row labels, the column title with its count
// and the column labels.
std::vector<GridShape> gridShapes(const fs::path& path) {
    const auto lines = readLines(path);
    std::vector<GridShape> shapes;
    std::size_t i = 0;
    const int tables = dotLeaderCount(lines.at(i++));
    for (int t = 0; t < tables; ++t) {
        GridShape s;
        ++i; // name line
        s.rows = dotLeaderCount(lines.at(i++));
        i += static_cast<std::size_t>(s.rows);
        s.columns = dotLeaderCount(lines.at(i++));
        i += static_cast<std::size_t>(s.columns);
        shapes.push_back(s);
    }
    return shapes;
}

// Category counts of the eight variables of the labels file.
std::vector<int> labelCounts(const fs::path& path) {
    const auto lines = readLines(path);
    std::vector<int> counts;
    for (std::size_t i = 0; i < lines.size() && counts.size() < 8;) {
        counts.push_back(dotLeaderCount(lines[i]));
        i += 1 + static_cast<std::size_t>(counts.back());
    }
    return counts;
}

// Prison probability of each (table, row, column): the second block of each table.
std::map<std::vector<int>, double> prisonProbabilities() {
    const auto shapes = gridShapes(kDemoDir / "grid.inp");
    const auto lines = readLines(kDemoDir / "courtp.inp");
    std::map<std::vector<int>, double> prison;
    std::size_t i = 0;
    for (int p = 0; p < 2; ++p) {
        for (std::size_t t = 0; t < shapes.size(); ++t) {
            i += 3;
            for (int r = 1; r <= shapes[t].rows; ++r, ++i) {
                const auto values = fieldsOf(lines.at(i));
                for (int c = 1; c <= shapes[t].columns && p == 1; ++c)
                    prison[{static_cast<int>(t) + 1, r, c}] =
                        std::atof(values.at(static_cast<std::size_t>(c - 1)).c_str());
            }
        }
    }
    return prison;
}

} // namespace

TEST(DemoData, DefaultArgumentsReproduceTheCommittedFiles) {
    const fs::path exe = findGenerator();
    if (exe.empty()) GTEST_SKIP() << "kovary-demo-data is not built";
    TempDir out("default");
    ASSERT_EQ(runGenerator(exe, {"--out", out.path().string()}), 0);

    // The demonstration run writes its outputs beside the data; only inputs are compared.
    auto committed = fileNames(kDemoDir);
    for (auto it = committed.begin(); it != committed.end();) {
        const std::string ext = fs::path(*it).extension().string();
        const bool output = *it == "README.md" || *it == "DataExch.qnf" || it->rfind("fiscal-costs.", 0) == 0 ||
                            ext == ".out" || ext == ".bak" ||
                            ext == ".bmp" || ext == ".png" || ext == ".xlsx";
        it = output ? committed.erase(it) : std::next(it);
    }
    EXPECT_EQ(fileNames(out.path()), committed);
    for (const std::string& name : committed) {
        EXPECT_TRUE(readAll(out.path() / name) == readAll(kDemoDir / name))
            << name << " differs from the generator's output";
    }
}

TEST(DemoData, OtherSizesKeepTheVolumeAndBadArgumentsAreRefused) {
    const fs::path exe = findGenerator();
    if (exe.empty()) GTEST_SKIP() << "kovary-demo-data is not built";
    TempDir out("small");
    ASSERT_EQ(runGenerator(exe, {"--out", out.path().string(), "--cases", "40", "--stock-cases",
                                 "15", "--seed", "7"}),
              0);
    const auto court = readLines(out.path() / "courtm.inp");
    ASSERT_EQ(court.size(), 40u);
    double weights = 0;
    for (const auto& line : court) weights += std::atof(fieldsOf(line).at(17).c_str());
    // The weights are scaled to one year's volume whatever the sample size.
    EXPECT_NEAR(weights, 12000.0, 0.01);
    EXPECT_EQ(readLines(out.path() / "stockm.inp").size(), 15u);
    // Files that do not depend on the sizes or the seed stay as committed.
    EXPECT_EQ(readAll(out.path() / "courtp.inp"), readAll(kDemoDir / "courtp.inp"));
    EXPECT_EQ(readAll(out.path() / "labels.inp"), readAll(kDemoDir / "labels.inp"));

    EXPECT_EQ(runGenerator(exe, {"--out", out.path().string(), "--cases", "0"}), 2);
    EXPECT_EQ(runGenerator(exe, {"--out", out.path().string(), "--stock-cases", "100000"}), 2);
    EXPECT_EQ(runGenerator(exe, {"--cases", "10"}), 2) << "--out is required";
}

TEST(DemoData, CourtProbabilitiesSumToOneAndRiseWithSeverityAndHistory) {
    const auto shapes = gridShapes(kDemoDir / "grid.inp");
    ASSERT_EQ(shapes.size(), 2u);
    const auto lines = readLines(kDemoDir / "courtp.inp");
    // Blocks are outcome-major: 21 outcomes, each with one block per table.
    std::map<std::vector<int>, double> sums;
    std::size_t i = 0;
    for (int p = 0; p < 21; ++p) {
        for (std::size_t t = 0; t < shapes.size(); ++t) {
            i += 3;
            for (int r = 0; r < shapes[t].rows; ++r, ++i) {
                const auto values = fieldsOf(lines.at(i));
                ASSERT_EQ(values.size(), static_cast<std::size_t>(shapes[t].columns))
                    << "line " << i + 1;
                for (int c = 0; c < shapes[t].columns; ++c) {
                    const double v = std::atof(values[static_cast<std::size_t>(c)].c_str());
                    EXPECT_GE(v, 0.0);
                    EXPECT_LE(v, 1.0);
                    sums[{static_cast<int>(t), r, c}] += v;
                }
            }
        }
    }
    EXPECT_EQ(i, lines.size()) << "nothing follows the last block";
    ASSERT_EQ(sums.size(), 10u * 7u + 5u * 7u);
    for (const auto& [cell, sum] : sums)
        EXPECT_NEAR(sum, 1.0, 1e-9) << cell[0] << "," << cell[1] << "," << cell[2];

    const auto prison = prisonProbabilities();
    for (std::size_t t = 1; t <= shapes.size(); ++t) {
        const int table = static_cast<int>(t);
        for (int r = 1; r <= shapes[t - 1].rows; ++r) {
            for (int c = 1; c <= shapes[t - 1].columns; ++c) {
                if (c > 1) {
                    EXPECT_GE(prison.at({table, r, c}), prison.at({table, r, c - 1}));
                }
                if (r > 1) {
                    EXPECT_GE(prison.at({table, r, c}), prison.at({table, r - 1, c}));
                }
            }
        }
    }
}

TEST(DemoData, MicrodataFieldsAreInRangeAndWeightsRepresentTheVolumes) {
    const auto counts = labelCounts(kDemoDir / "labels.inp");
    ASSERT_EQ(counts.size(), 8u);
    const auto shapes = gridShapes(kDemoDir / "grid.inp");
    const int countyCount = static_cast<int>(readLines(kDemoDir / "county.inp").size());
    auto inRange = [](const std::string& text, int low, int high) {
        const int v = std::atoi(text.c_str());
        return v >= low && v <= high;
    };
    auto cellOk = [&](const std::vector<std::string>& f, std::size_t row) {
        const int table = std::atoi(f[row + 2].c_str());
        if (table < 1 || table > static_cast<int>(shapes.size())) return false;
        const GridShape& s = shapes[static_cast<std::size_t>(table - 1)];
        return inRange(f[row], 1, s.rows) && inRange(f[row + 1], 1, s.columns);
    };

    // Court case: gender, race, offense, felony type, region, sentence level,
    // county, grid cell, month; 24 fields with the post-prison ones.
    double courtWeights = 0;
    const auto court = readLines(kDemoDir / "courtm.inp");
    ASSERT_EQ(court.size(), 3000u);
    for (std::size_t n = 0; n < court.size(); ++n) {
        const auto f = fieldsOf(court[n]);
        ASSERT_EQ(f.size(), 24u) << "court line " << n + 1;
        const bool ok = inRange(f[1], 1, counts[0]) && inRange(f[2], 1, counts[1]) &&
                        inRange(f[4], 1, counts[3]) && inRange(f[6], 1, counts[5]) &&
                        inRange(f[7], 1, counts[6]) && inRange(f[8], 0, 9999) &&
                        inRange(f[9], 0, 9999) && inRange(f[10], 0, 9999) && inRange(f[11], 1, 5) &&
                        inRange(f[12], 1, countyCount) && cellOk(f, 13) && inRange(f[16], 1, 12) &&
                        std::atof(f[5].c_str()) > 0 && std::atof(f[17].c_str()) > 0;
        EXPECT_TRUE(ok) << "court line " << n + 1 << ": " << court[n];
        courtWeights += std::atof(f[17].c_str());
    }
    EXPECT_NEAR(courtWeights, 12000.0, 1.0) << "one year of felony sentencing";

    // Stock record: 18 fields; the remaining time rounds to a release month of at least 1.
    double stockWeights = 0;
    const auto stock = readLines(kDemoDir / "stockm.inp");
    ASSERT_EQ(stock.size(), 2500u);
    for (std::size_t n = 0; n < stock.size(); ++n) {
        const auto f = fieldsOf(stock[n]);
        ASSERT_EQ(f.size(), 18u) << "stock line " << n + 1;
        const bool ok = inRange(f[1], 1, counts[0]) && inRange(f[2], 1, counts[1]) &&
                        inRange(f[4], 1, counts[3]) && inRange(f[6], 1, counts[5]) &&
                        inRange(f[7], 1, counts[6]) && std::atof(f[9].c_str()) >= 0.5 &&
                        inRange(f[11], 1, 5) && cellOk(f, 14) && std::atof(f[17].c_str()) > 0;
        EXPECT_TRUE(ok) << "stock line " << n + 1 << ": " << stock[n];
        stockWeights += std::atof(f[17].c_str());
    }
    EXPECT_GT(stockWeights, 10000.0);
    EXPECT_LT(stockWeights, 20000.0);

    // The stock tables tabulate the same prisoners: each variable's table holds
    // the whole stock (up to the rounding of 121 cells per category to cents).
    const auto tables = readLines(kDemoDir / "stock121.kov");
    std::vector<double> totals;
    for (const auto& line : tables) {
        const auto f = fieldsOf(line);
        if (f.empty()) continue;
        if (!std::isdigit(static_cast<unsigned char>(f[0][0]))) {
            totals.push_back(0);
            continue;
        }
        ASSERT_FALSE(totals.empty());
        for (const auto& v : f) totals.back() += std::atof(v.c_str());
    }
    ASSERT_EQ(totals.size(), 7u);
    for (std::size_t v = 0; v < totals.size(); ++v)
        EXPECT_NEAR(totals[v], stockWeights, 121 * counts[v] * 0.005) << "stock table " << v;
}

TEST(DemoData, SentenceLengthsFollowThePrisonProbability) {
    const auto prison = prisonProbabilities();
    double lowWeight = 0, lowMonths = 0, highWeight = 0, highMonths = 0;
    for (const auto& line : readLines(kDemoDir / "courtm.inp")) {
        const auto f = fieldsOf(line);
        const double p = prison.at(
            {std::atoi(f[15].c_str()), std::atoi(f[13].c_str()), std::atoi(f[14].c_str())});
        const double w = std::atof(f[17].c_str());
        const double months = std::atof(f[5].c_str());
        if (p >= 0.5) {
            highWeight += w;
            highMonths += w * months;
        } else if (p < 0.2) {
            lowWeight += w;
            lowMonths += w * months;
        }
    }
    ASSERT_GT(lowWeight, 0);
    ASSERT_GT(highWeight, 0);
    EXPECT_GT(highMonths / highWeight, 2 * lowMonths / lowWeight);
}

TEST(DemoData, ConfigurationsHoldEveryKeyAndNameCommittedInputs) {
    for (const char* name : {"demo.kov", "demo-stock.kov"}) {
        SCOPED_TRACE(name);
        const auto lines = readLines(kDemoDir / name);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], "[TITLE]");
        EXPECT_EQ(lines[1], "Title=DEMONSTRATION PROGRAM USING NORVALE STATE DATA");
        std::vector<std::string> sections;
        std::map<std::string, std::string> files;
        std::map<std::string, std::string> options;
        int keys = 0;
        for (const auto& line : lines) {
            if (!line.empty() && line.front() == '[') {
                sections.push_back(line);
            } else if (const auto eq = line.find('='); eq != std::string::npos) {
                ++keys;
                if (sections.back() == "[INPUT/OUTPUT FILES]")
                    files[line.substr(0, eq)] = line.substr(eq + 1);
                options[line.substr(0, eq)] = line.substr(eq + 1);
            }
        }
        EXPECT_EQ(sections.size(), 13u);
        EXPECT_EQ(keys, 152) << "the title and 151 keys";
        EXPECT_EQ(options["Norvale Customizations"], "1");
        EXPECT_EQ(options["Create Graphs"], "0");
        EXPECT_EQ(options["Postprison Options"], std::string(name) == "demo.kov" ? "4" : "3");
        for (const char* key :
             {"Court Probabilities File", "Court Microdata File", "County File", "Labels File",
              "Grid File", "Trend Weights by Group", "Program Definitions", "Program Probabilities",
              "Stock Probabilities", "Stock Tables File", "Stock Parameter File",
              "Stock Microdata File"}) {
            EXPECT_TRUE(fs::exists(kDemoDir / files[key])) << key << " = " << files[key];
        }
    }
}
