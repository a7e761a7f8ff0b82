#include "hostile_skin_maker.h"

#include <climits>
#include <cstring>

#include "skin/lzh.h"
#include "skin/lzh_encoder.h"

namespace {

void PutInt32(std::vector<uint8_t>& bytes, size_t at, int64_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
}

int32_t GetInt32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(bytes[at + size_t(i)]) << (8 * i);
    return static_cast<int32_t>(v);
}

bool IsImage(const TSkinEntry& entry) {
    return entry.name.size() > 4 && entry.name.compare(entry.name.size() - 4, 4, ".bmp") == 0;
}

// BMP header fields: file header (14 bytes), then the info header.
constexpr size_t kOffBits = 10, kInfoSize = 14, kWidth = 18, kHeight = 22, kPlanes = 26,
                 kBitCount = 28, kCompression = 30, kSizeImage = 34, kClrUsed = 46;

}  // namespace

THostileSkinMaker::THostileSkinMaker(std::vector<TSkinEntry> entries, uint32_t seed)
    : good(std::move(entries)),
      goodArchive(BuildSkinArchive(good)),
      goodStore(PackSkinStore(goodArchive)),
      random(seed) {}

THostileSkin THostileSkinMaker::Make(int index) {
    using Maker = std::vector<uint8_t> (THostileSkinMaker::*)();
    static const std::pair<const char*, Maker> kinds[kKinds] = {
        {"store bit flips", &THostileSkinMaker::StoreBitFlips},
        {"store cut short", &THostileSkinMaker::StoreCut},
        {"absurd store size", &THostileSkinMaker::StoreSizeField},
        {"archive bit flips", &THostileSkinMaker::ArchiveBitFlips},
        {"broken archive header", &THostileSkinMaker::ArchiveHeader},
        {"swapped or absurd entry sizes", &THostileSkinMaker::ArchiveSizeTable},
        {"too many entry names", &THostileSkinMaker::TooManyNames},
        {"broken BMP header", &THostileSkinMaker::BmpHeader},
        {"BMP cut short", &THostileSkinMaker::BmpCut},
        {"huge declared image", &THostileSkinMaker::HugeImage},
        {"missing sections", &THostileSkinMaker::MissingSections},
        {"missing keys", &THostileSkinMaker::MissingKeys},
        {"absurd values", &THostileSkinMaker::AbsurdValues},
        {"thousands of sections", &THostileSkinMaker::ThousandsOfSections},
        {"images swapped or missing", &THostileSkinMaker::ImagesMixedUp},
        {"junk in the description", &THostileSkinMaker::DescriptionJunk},
        {"no description", &THostileSkinMaker::DescriptionMissing},
    };
    const auto& [kind, make] = kinds[index % kKinds];
    return {kind, (this->*make)()};
}

// ---- helpers -------------------------------------------------------------------------------

std::vector<uint8_t> THostileSkinMaker::Pack(const std::vector<TSkinEntry>& entries) {
    return PackArchive(BuildSkinArchive(entries));
}

std::vector<uint8_t> THostileSkinMaker::PackArchive(const std::vector<uint8_t>& archive) {
    return PackSkinStore(archive);
}

TSkinEntry& THostileSkinMaker::RandomImage(std::vector<TSkinEntry>& entries) {
    std::vector<TSkinEntry*> images;
    for (TSkinEntry& e : entries)
        if (IsImage(e)) images.push_back(&e);
    return *images[size_t(Below(static_cast<int>(images.size())))];
}

TSkinEntry& THostileSkinMaker::Description(std::vector<TSkinEntry>& entries) {
    for (TSkinEntry& e : entries)
        if (e.name.find(".ini") != std::string::npos) return e;
    return entries.front();
}

std::vector<std::string> THostileSkinMaker::DescriptionLines() {
    std::vector<TSkinEntry> entries = good;
    const std::vector<uint8_t>& text = Description(entries).data;
    std::vector<std::string> lines(1);
    for (uint8_t c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += char(c);
    }
    return lines;
}

std::vector<uint8_t> THostileSkinMaker::JoinLines(const std::vector<std::string>& lines) {
    std::vector<uint8_t> text;
    for (const std::string& line : lines) {
        text.insert(text.end(), line.begin(), line.end());
        text.insert(text.end(), {'\r', '\n'});
    }
    return text;
}

void THostileSkinMaker::FlipBits(std::vector<uint8_t>& bytes, size_t from, int flips) {
    if (bytes.size() <= from) return;
    std::uniform_int_distribution<size_t> at(from, bytes.size() - 1);
    for (int i = 0; i < flips; ++i) bytes[at(random)] ^= uint8_t(1u << Below(8));
}

// ---- the store -----------------------------------------------------------------------------

std::vector<uint8_t> THostileSkinMaker::StoreBitFlips() {
    std::vector<uint8_t> store = goodStore;
    FlipBits(store, 4, 1 + Below(16));
    return store;
}

std::vector<uint8_t> THostileSkinMaker::StoreCut() {
    std::vector<uint8_t> store = goodStore;
    store.resize(size_t(Below(static_cast<int>(store.size()))));
    return store;
}

std::vector<uint8_t> THostileSkinMaker::StoreSizeField() {
    std::vector<uint8_t> store = goodStore;
    const int64_t real = GetInt32(store, 0);
    PutInt32(store, 0,
             OneOf<int64_t>({0, 1, 15, 16, -1, INT_MIN, INT_MAX, TLZH::kMaxDecodedSize,
                             TLZH::kMaxDecodedSize + 1, real / 2, real - 1, real * 2, real + 59}));
    return store;
}

// ---- the archive ---------------------------------------------------------------------------

std::vector<uint8_t> THostileSkinMaker::ArchiveBitFlips() {
    std::vector<uint8_t> archive = goodArchive;
    FlipBits(archive, 0, 1 + Below(32));
    return PackArchive(archive);
}

std::vector<uint8_t> THostileSkinMaker::ArchiveHeader() {
    std::vector<uint8_t> archive = goodArchive;
    const int64_t listLength = GetInt32(archive, 4);
    if (Below(3) == 0)
        PutInt32(archive, 0, OneOf<int64_t>({19999, 0, -20000, 20001}));
    else
        PutInt32(archive, 4,
                 OneOf<int64_t>({-1, 0, INT_MAX, INT_MIN, listLength + 1, listLength - 1,
                                 int64_t(archive.size()), int64_t(archive.size()) - 15}));
    return PackArchive(archive);
}

std::vector<uint8_t> THostileSkinMaker::ArchiveSizeTable() {
    std::vector<uint8_t> archive = goodArchive;
    const size_t table = 16 + size_t(GetInt32(archive, 4));
    const int count = static_cast<int>(good.size());
    const size_t a = table + 4 * size_t(Below(count)), b = table + 4 * size_t(Below(count));
    if (Below(2) == 0) {
        const int32_t first = GetInt32(archive, a);
        PutInt32(archive, a, GetInt32(archive, b));
        PutInt32(archive, b, first);
    } else {
        PutInt32(archive, a,
                 OneOf<int64_t>({INT_MAX, -1, INT_MIN, 0, int64_t(archive.size()),
                                 GetInt32(archive, a) + 1, GetInt32(archive, a) - 1}));
    }
    return PackArchive(archive);
}

std::vector<uint8_t> THostileSkinMaker::TooManyNames() {
    // More names than the size table holds; built by hand, as the archive builder refuses it.
    std::string names;
    const int count = TSkinReader::kMaxEntries + 1 + Below(500);
    for (int i = 0; i < count; ++i) names += "image" + std::to_string(i) + ".bmp\r\n";
    std::vector<uint8_t> archive(16);
    PutInt32(archive, 0, TSkinReader::kVersionMark);
    PutInt32(archive, 4, int64_t(names.size()));
    archive.insert(archive.end(), names.begin(), names.end());
    archive.resize(archive.size() + 4 * size_t(count), 0);
    return PackArchive(archive);
}

// ---- images --------------------------------------------------------------------------------

std::vector<uint8_t> THostileSkinMaker::BmpHeader() {
    std::vector<TSkinEntry> entries = good;
    std::vector<uint8_t>& bmp = RandomImage(entries).data;
    static constexpr size_t fields[] = {0,       kOffBits,  kInfoSize,    kWidth,     kHeight,
                                        kPlanes, kBitCount, kCompression, kSizeImage, kClrUsed};
    for (int i = 0, n = 1 + Below(3); i < n; ++i) {
        const size_t field = fields[Below(static_cast<int>(std::size(fields)))];
        if (field == 0) {
            bmp[0] = 'X';
        } else if (field == kPlanes || field == kBitCount) {
            const auto v = OneOf<int>({0, 2, 3, 7, 48, 0xFFFF});
            bmp[field] = uint8_t(v), bmp[field + 1] = uint8_t(v >> 8);
        } else {
            PutInt32(bmp, field,
                     OneOf<int64_t>({0, -1, 1, 12, 41, 64, 4096, INT_MAX, INT_MIN,
                                     int64_t(bmp.size()), int64_t(bmp.size()) + 1}));
        }
    }
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::BmpCut() {
    std::vector<TSkinEntry> entries = good;
    std::vector<uint8_t>& bmp = RandomImage(entries).data;
    bmp.resize(OneOf<size_t>({0, 2, 14, 30, 53, 54, bmp.size() / 2, bmp.size() - 1}));
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::HugeImage() {
    std::vector<TSkinEntry> entries = good;
    std::vector<uint8_t>& bmp = RandomImage(entries).data;
    const auto [width, height] = OneOf<std::pair<int64_t, int64_t>>(
        {{30000, 30000}, {65535, 1}, {1, 65535}, {INT_MAX, 1}, {100000, 100000}, {46341, -46341}});
    PutInt32(bmp, kWidth, width);
    PutInt32(bmp, kHeight, height);
    if (Below(2) == 0) PutInt32(bmp, kSizeImage, 0);
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::ImagesMixedUp() {
    std::vector<TSkinEntry> entries = good;
    switch (Below(3)) {
        case 0: {  // two images trade places under each other's names
            TSkinEntry& a = RandomImage(entries);
            TSkinEntry& b = RandomImage(entries);
            std::swap(a.data, b.data);
            break;
        }
        case 1:  // images dropped from the archive
            for (int i = 0, n = 1 + Below(10); i < n; ++i) {
                TSkinEntry& gone = RandomImage(entries);
                gone.name = "gone" + std::to_string(i) + ".txt";
            }
            break;
        default: {  // every image reference of the description names one and the same image
            const std::string one = RandomImage(entries).name;
            std::vector<std::string> lines = DescriptionLines();
            for (std::string& line : lines)
                if (line.size() > 4 && line.compare(line.size() - 4, 4, ".bmp") == 0)
                    line = line.substr(0, line.find('=') + 1) + one;
            Description(entries).data = JoinLines(lines);
        }
    }
    return Pack(entries);
}

// ---- the description -----------------------------------------------------------------------

std::vector<uint8_t> THostileSkinMaker::MissingSections() {
    std::vector<std::string> lines = DescriptionLines(), kept;
    bool dropping = false;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '[') dropping = Below(3) == 0;
        if (!dropping) kept.push_back(line);
    }
    std::vector<TSkinEntry> entries = good;
    Description(entries).data = JoinLines(kept);
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::MissingKeys() {
    std::vector<std::string> kept;
    const int percent = 10 + Below(60);
    for (const std::string& line : DescriptionLines())
        if (line.find('=') == std::string::npos || Below(100) >= percent) kept.push_back(line);
    std::vector<TSkinEntry> entries = good;
    Description(entries).data = JoinLines(kept);
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::AbsurdValues() {
    std::vector<std::string> lines = DescriptionLines();
    for (std::string& line : lines) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || line[0] == ';' || Below(4) != 0) continue;
        line = line.substr(0, equals + 1) +
               OneOf<std::string>({"0", "-1", "2147483647", "-2147483648", "99999", "abc", "",
                                   "1e9", "0x10", "4294967296", " 7 7 7", "-99999"});
    }
    std::vector<TSkinEntry> entries = good;
    Description(entries).data = JoinLines(lines);
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::ThousandsOfSections() {
    std::vector<std::string> lines = DescriptionLines();
    const int count = 2000 + Below(6000);
    for (int i = 0; i < count; ++i) {
        lines.push_back("[Extra" + std::to_string(i) + "]");
        lines.push_back("Key=" + std::to_string(i));
    }
    // The real sections once more at the end, so a reader that keeps the last copy sees them.
    if (Below(2) == 0) {
        const std::vector<std::string> again = DescriptionLines();
        lines.insert(lines.end(), again.begin(), again.end());
    }
    std::vector<TSkinEntry> entries = good;
    Description(entries).data = JoinLines(lines);
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::DescriptionJunk() {
    std::vector<TSkinEntry> entries = good;
    std::vector<uint8_t>& text = Description(entries).data;
    switch (Below(4)) {
        case 0: FlipBits(text, 0, 1 + Below(64)); break;
        case 1:
            text.insert(text.begin() + Below(static_cast<int>(text.size())), 100000, 'x');
            break;
        case 2:
            for (int i = 0, n = 1 + Below(20); i < n; ++i)
                text[size_t(Below(static_cast<int>(text.size())))] = 0;
            break;
        default:
            for (uint8_t& c : text)
                if (c == '\n' || c == '\r') c = ' ';
    }
    return Pack(entries);
}

std::vector<uint8_t> THostileSkinMaker::DescriptionMissing() {
    std::vector<TSkinEntry> entries = good;
    TSkinEntry& description = Description(entries);
    if (Below(2) == 0)
        description.name = "skin.txt";
    else
        description.data.clear();
    return Pack(entries);
}
