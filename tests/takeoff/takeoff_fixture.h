#pragma once
// A scratch folder with a small section database seeded (by the seed code the program's
// database is made with) from a few table rows, and helpers that run a takeoff on list text.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "data/seed_db.h"
#include "forms/text.h"
#include "takeoff/list_text.h"
#include "takeoff/section_tables.h"
#include "takeoff/takeoff.h"
#include "takeoff/takeoff_list.h"

class TakeoffFixture : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir = std::filesystem::temp_directory_path() /
              ("ponderix-takeoff-" + std::to_string(random()));
        std::filesystem::create_directories(dir / "csv");
        // Every table kind, each with a row "T10" of unit weight 10 beside rows of its own.
        const char* perMetre[] = {"槽钢",        "工字钢",      "H型钢国标HW",  "H型钢国标HM",
                                  "H型钢国标HN", "H型钢国标HP", "热轧等边角钢", "热轧不等边角钢"};
        for (const char* table : perMetre) {
            WriteTable(
                table,
                "型号,h,单重(kg/m)\nT10,1,10\n5,50,5.438\n148×100,148,21.4\n2.5/1.6－3,25,0.912\n");
        }
        for (const char* table : {"菱型钢板", "扁豆钢板", "圆豆钢板"}) {
            WriteTable(table, "型号,单重(kg/m-2)\n3.0,33.4\nT10,10\n");
        }
        Seed();
    }
    void TearDown() override {
        tables.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    void WriteTable(const std::string& name, const std::string& csv) {
        std::ofstream(
            dir / "csv" /
                std::filesystem::path(std::u8string(name.begin(), name.end())).concat(".csv"),
            std::ios::binary)
            << csv;
    }
    void Seed() {
        tables.reset();
        SeedDatabase(dir / "csv", DatabasePath(), true);
    }
    std::filesystem::path DatabasePath() const { return dir / "weight.db"; }
    std::string DatabaseUtf8() const {
        const std::u8string text = DatabasePath().u8string();
        return std::string(text.begin(), text.end());
    }

    // The takeoff of a list given as its bytes, through the same steps as the tool.
    TTakeoff Run(std::string_view bytes) {
        if (!tables) tables = std::make_unique<TSectionTables>(DatabaseUtf8());
        return RunTakeoff(ReadTakeoffList(DecodeListText(bytes).utf8), tables.get());
    }

    std::filesystem::path dir;
    std::unique_ptr<TSectionTables> tables;
};
