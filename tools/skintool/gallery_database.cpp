#include "tools/skintool/gallery_database.h"

#include <random>
#include <string>
#include <system_error>

#include "data/sqlite_db.h"
#include "forms/text.h"

namespace {

// A new file name in the temporary folder: other galleries may run at the same time.
std::filesystem::path NewDatabasePath() {
    std::random_device random;
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    for (;;) {
        const auto path = folder / ("skin_gallery_" + std::to_string(random()) + ".db");
        if (!std::filesystem::exists(path)) return path;
    }
}

}  // namespace

TGalleryDatabase::TGalleryDatabase() : path(NewDatabasePath()) {
    TSqliteDatabase db(WideToUtf8(path.wstring()), TOpenMode::Create);
    db.Exec(
        "CREATE TABLE \"槽钢\" (\"型号\" TEXT, \"高度(mm)\" REAL, \"腿宽(mm)\" REAL, "
        "\"腰厚(mm)\" REAL, \"单重(kg/m)\" REAL, \"截面积(cm2)\" REAL, \"备注\" TEXT)");
    TSqliteTransaction transaction(db);
    TSqliteStatement insert = db.Prepare("INSERT INTO \"槽钢\" VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < kRows; ++i) {
        const double height = 50 + 10 * i;
        insert.Reset();
        insert.BindText(1, std::to_string(5 + i) + (i % 3 == 1 ? "a" : i % 3 == 2 ? "b" : ""));
        insert.BindReal(2, height);
        insert.BindReal(3, 37 + 1.5 * i);
        insert.BindReal(4, 4.5 + 0.25 * i);
        insert.BindReal(5, 5.438 + 1.1 * i);
        insert.BindReal(6, 6.928 + 1.4 * i);
        insert.BindText(7, i % 4 == 0 ? "常用" : "");
        insert.Step();
    }
    transaction.Commit();
}

TGalleryDatabase::~TGalleryDatabase() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

std::wstring TGalleryDatabase::ConnectionString() const {
    return L"Provider=SQLite;Data Source=" + path.wstring();
}
