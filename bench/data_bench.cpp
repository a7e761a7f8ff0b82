// The table component on section tables of 1,000 and 100,000 rows: opening and showing the first
// screen must not read the whole table, and a page move reads one window at most.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "data/ado_table.h"
#include "data/sqlite_db.h"

namespace {

constexpr int kScreenRows = 20;

// weight_<rows>.db in a scratch folder, built once per size: a section table with a designation,
// six dimensions and the unit weight, like the shipped ones.
std::string Database(int rows) {
    const auto dir = std::filesystem::temp_directory_path() / "ponderix_data_bench";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / ("weight_" + std::to_string(rows) + ".db")).string();
    if (!std::filesystem::exists(path)) {
        TSqliteDatabase db(path + ".tmp", TOpenMode::Create);
        db.Exec(
            "BEGIN; CREATE TABLE 槽钢 (型号 TEXT, h REAL, b REAL, d REAL, t REAL, r REAL, "
            "r1 REAL, \"单重(kg/m)\" REAL);"
            "WITH RECURSIVE k(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM k WHERE x < " +
            std::to_string(rows) +
            ") INSERT INTO 槽钢 SELECT 'C' || x, 50 + x % 300, 37 + x % 70, 4.5, 7.0, 7.0, "
            "3.5, x * 0.0137 FROM k; COMMIT;");
        db.Close();
        std::filesystem::rename(path + ".tmp", path);
    }
    return path;
}

void Point(TADOTable& table, int rows) {
    table.SetName(L"ADOTable1");
    const std::string path = Database(rows);
    table.SetConnectionString(L"Provider=SQLite;Data Source=" +
                              std::wstring(path.begin(), path.end()));
    table.SetTableName(L"槽钢");
}

void OpenFirstScreen(benchmark::State& state) {
    TADOTable table(nullptr);
    Point(table, int(state.range(0)));
    for (auto _ : state) {
        table.Open();
        benchmark::DoNotOptimize(table.DisplayRows(0, kScreenRows));
        benchmark::DoNotOptimize(table.FieldByName(L"单重(kg/m)")->AsString());
        table.Close();
    }
}
BENCHMARK(OpenFirstScreen)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Page Down through the table, as a grid does: move a screen on and read the new screen.
void PageDown(benchmark::State& state) {
    TADOTable table(nullptr);
    Point(table, int(state.range(0)));
    table.Open();
    for (auto _ : state) {
        if (table.MoveBy(kScreenRows) < kScreenRows) table.First();
        benchmark::DoNotOptimize(table.DisplayRows(table.DisplayRow(), kScreenRows));
    }
}
BENCHMARK(PageDown)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Jumps between the first, the middle and the last screen: no cached row is near.
void JumpAcross(benchmark::State& state) {
    TADOTable table(nullptr);
    const int rows = int(state.range(0));
    Point(table, rows);
    table.Open();
    int step = 0;
    for (auto _ : state) {
        const int target = (step++ % 3) * (rows / 2 - 1);
        table.MoveBy(target - (table.RecNo() - 1));
        benchmark::DoNotOptimize(table.DisplayRows(table.DisplayRow(), kScreenRows));
    }
}
BENCHMARK(JumpAcross)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
