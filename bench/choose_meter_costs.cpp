// How the first pass's costs for a further meter (firstpass::MeterCosts) were chosen: each dev
// poem of the readers' scansions is scanned under every pair of costs on a grid, and its lines
// measured against the readers' meter are counted as scripts/first-pass-accuracy.sh counts them.
// Then each poem is left out in turn: the pair that does best on the others is the one it is
// measured under. Prints the pair chosen for each poem, the total so measured, and the pair that
// does best on all the poems.
//   corvale_choose_meter_costs GOLD-DEV-FOLDER

#include "firstpass/FirstPass.h"
#include "meter/LineMeter.h"
#include "scansion/MeterFile.h"
#include "scansion/ScansionFile.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace corvale;

struct GoldLine {
    std::int32_t line = 0;
    std::string met;
    bool outside = false;  // outside the poem's commonest meter
};

// Equal, or apart by one weak place at the end (a feminine ending) or at the start (headless).
bool SameMeter(const std::string& a, const std::string& b) {
    const auto within = [](const std::string& longer, const std::string& shorter) {
        return longer == shorter + "-" || longer == "-" + shorter;
    };
    return a == b || within(a, b) || within(b, a);
}

std::map<std::string, std::vector<GoldLine>> ReadGold(const QString& folder) {
    QFile file(QDir(folder).filePath("gold.tsv"));
    std::map<std::string, std::vector<GoldLine>> poems;
    if (!file.open(QIODevice::ReadOnly)) {
        return poems;
    }
    file.readLine();
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
        if (fields.size() >= 6) {
            poems[fields[0].toStdString()].push_back(
                {fields[1].toInt(), fields[5].toStdString(), false});
        }
    }
    for (auto& [poem, lines] : poems) {
        std::size_t most = 0;
        std::string commonest;
        for (const GoldLine& line : lines) {
            const auto count = static_cast<std::size_t>(std::ranges::count_if(
                lines, [&](const GoldLine& other) { return SameMeter(other.met, line.met); }));
            if (count > most) {
                most = count;
                commonest = line.met;
            }
        }
        for (GoldLine& line : lines) {
            line.outside = !SameMeter(line.met, commonest);
        }
    }
    return poems;
}

// Lines measured against the readers' meter, of all and of those outside the commonest.
struct Score {
    int all = 0;
    int outside = 0;
    Score& operator+=(const Score& other) {
        all += other.all;
        outside += other.outside;
        return *this;
    }
};

Score Measure(const QString& poemPath, const std::vector<GoldLine>& gold,
              const firstpass::MeterCosts& costs) {
    firstpass::Options options;
    options.costs = costs;
    const auto scanned = firstpass::ScanPoemFile(poemPath, options);
    const auto* scansion = std::get_if<firstpass::Scansion>(&scanned);
    if (scansion == nullptr) {
        return {};
    }
    const auto loaded = ReadScansionBytes(scansion->scansionFile);
    const auto* read = std::get_if<LoadedScansion>(&loaded);
    if (read == nullptr) {
        return {};
    }
    const meter::Meters meters = meter::Meters::OfRows(ReadMeterRows(scansion->meterFile).meters);
    const Store& store = read->store;
    Score score;
    meter::ShownLine line;
    for (const GoldLine& goldLine : gold) {
        line.Read(store, goldLine.line);
        const meter::Meter& meter = meters.Number(meter::LineMeter(meters, line));
        std::string met;
        for (std::int32_t place = 1; place <= meter.Places(); ++place) {
            met += meter.IsStrong(place) ? '+' : '-';
        }
        const bool same = SameMeter(met, goldLine.met);
        score.all += same;
        score.outside += same && goldLine.outside;
    }
    return score;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvale_choose_meter_costs GOLD-DEV-FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const auto gold = ReadGold(folder);
    std::vector<firstpass::MeterCosts> grid;
    for (const std::int64_t perLine : {1, 2, 3, 4}) {
        for (const std::int64_t perMeter : {0, 1, 2, 3, 4, 5, 6, 8, 10, 12, 16}) {
            grid.push_back({perLine, perMeter});
        }
    }
    // scores[poem][pair]
    std::map<std::string, std::vector<Score>> scores;
    for (const auto& [poem, lines] : gold) {
        const QString path = QDir(folder).filePath(QString::fromStdString(poem) + ".txt");
        for (const firstpass::MeterCosts& costs : grid) {
            scores[poem].push_back(Measure(path, lines, costs));
        }
    }
    // The pair that does best on the poems but `leftOut`: most lines, then most lines outside
    // the commonest meter, then the dearer meter, then the cheaper line.
    const auto best = [&](const std::string& leftOut) {
        std::size_t chosen = 0;
        std::tuple<int, int, std::int64_t, std::int64_t> bestKey{-1, 0, 0, 0};
        for (std::size_t g = 0; g < grid.size(); ++g) {
            Score total;
            for (const auto& [poem, byPair] : scores) {
                if (poem != leftOut) {
                    total += byPair[g];
                }
            }
            const std::tuple<int, int, std::int64_t, std::int64_t> key{
                total.all, total.outside, grid[g].perMeter, -grid[g].perLine};
            if (key > bestKey) {
                bestKey = key;
                chosen = g;
            }
        }
        return chosen;
    };
    Score left;
    int lines = 0;
    int outside = 0;
    for (const auto& [poem, byPair] : scores) {
        const std::size_t g = best(poem);
        left += byPair[g];
        lines += static_cast<int>(gold.at(poem).size());
        outside += static_cast<int>(std::ranges::count_if(
            gold.at(poem), [](const GoldLine& line) { return line.outside; }));
        std::printf("%-52s perLine %lld perMeter %2lld: %d of %zu\n", poem.c_str(),
                    static_cast<long long>(grid[g].perLine),
                    static_cast<long long>(grid[g].perMeter), byPair[g].all, gold.at(poem).size());
    }
    for (std::size_t g = 0; g < grid.size(); ++g) {
        Score total;
        for (const auto& [poem, byPair] : scores) {
            total += byPair[g];
        }
        std::printf("perLine %lld perMeter %2lld: %d lines, %d outside\n",
                    static_cast<long long>(grid[g].perLine),
                    static_cast<long long>(grid[g].perMeter), total.all, total.outside);
    }
    const std::size_t all = best(std::string());
    Score atAll;
    for (const auto& [poem, byPair] : scores) {
        atAll += byPair[all];
    }
    std::printf("each poem left out: %d of %d lines, %d of %d outside the commonest meter\n",
                left.all, lines, left.outside, outside);
    std::printf("on all poems: perLine %lld perMeter %lld, %d of %d lines, %d of %d outside\n",
                static_cast<long long>(grid[all].perLine),
                static_cast<long long>(grid[all].perMeter), atAll.all, lines, atAll.outside,
                outside);
    return 0;
}
