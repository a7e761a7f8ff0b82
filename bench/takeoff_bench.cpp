// The takeoff of a generated list of mixed kinds, from 1,000 to 100,000 lines: reading and
// decoding the list, weighing every line (section look-ups against a database seeded from the
// shipped section tables), and making the text and CSV reports. Lines per second is
// items_per_second; the complexity fit shows how the time grows with the list.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "data/seed_db.h"
#include "takeoff/csv_report.h"
#include "takeoff/list_text.h"
#include "takeoff/section_tables.h"
#include "takeoff/takeoff.h"
#include "takeoff/text_report.h"

namespace {

namespace fs = std::filesystem;

// One line of each kind, with designations that the shipped tables hold.
constexpr const char* kLines[] = {
    "管材,108×4,6,10,碳钢,4200",
    "管材,57x3.5,6,24,不锈钢,16800",
    "圆棒,20,6,50,碳钢,3900",
    "方棒,16,6,5,铝,",
    "六角棒,30,3,8,黄铜,52000",
    "钢板,2000×1000×10,,6,碳钢,4100",
    "槽钢,10,6,20,,3950",
    "工字钢,20a,9,12,,3980",
    "H型钢HW,200×200,12,8,,4050",
    "H型钢HM,194×150,12,2,,4050",
    "H型钢HN,100×50,12,2,,4050",
    "H型钢HP,200×204,12,2,,4050",
    "等边角钢,5－5,6,40,,4000",
    "不等边角钢,2.5/1.6－3,6,3,,4000",
    "菱型花纹钢板,2000×1000×4.0,,10,,4300",
    "扁豆花纹钢板,1500×1000×3.0,,4,,4300",
};

std::string GeneratedList(int lines) {
    std::string list = "类型,规格,长度,数量,材料,单价\r\n";
    for (int i = 0; i < lines; ++i) {
        list += kLines[size_t(i) % std::size(kLines)];
        list += "\r\n";
    }
    return list;
}

class Database {
public:
    Database() {
        std::random_device random;
        dir = fs::temp_directory_path() / ("ponderix-takeoff-bench-" + std::to_string(random()));
        fs::create_directories(dir);
        SeedDatabase(fs::path(PONDERIX_SOURCE_DIR) / ".." / "shared" / "sections",
                     dir / "weight.db", true);
    }
    ~Database() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string Path() const {
        const std::u8string text = (dir / "weight.db").u8string();
        return std::string(text.begin(), text.end());
    }

private:
    fs::path dir;
};

void BM_Takeoff(benchmark::State& state) {
    static const Database database;
    const int lines = int(state.range(0));
    const std::string list = GeneratedList(lines);
    for (auto _ : state) {
        TSectionTables tables(database.Path());
        const TTakeoff takeoff = RunTakeoff(ReadTakeoffList(DecodeListText(list).utf8), &tables);
        if (!takeoff.skipped.empty()) state.SkipWithError("a generated line was left out");
        benchmark::DoNotOptimize(TextReport(takeoff));
        benchmark::DoNotOptimize(CsvReport(takeoff));
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetComplexityN(lines);
}

}  // namespace

BENCHMARK(BM_Takeoff)
    ->RangeMultiplier(10)
    ->Range(1'000, 100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
