#pragma once
// The gallery's grid shows a small section table of its own: a SQLite file made in the
// temporary folder when the gallery starts and removed when it ends, so that trying a skin
// never touches the program's weight.db.

#include <filesystem>
#include <string>

class TGalleryDatabase {
public:
    static constexpr const wchar_t* kTableName = L"槽钢";
    static constexpr int kRows = 40;

    TGalleryDatabase();
    ~TGalleryDatabase();
    TGalleryDatabase(const TGalleryDatabase&) = delete;
    TGalleryDatabase& operator=(const TGalleryDatabase&) = delete;

    // For a TADOTable: "Provider=SQLite;Data Source=PATH".
    std::wstring ConnectionString() const;

private:
    std::filesystem::path path;
};
