// TSkinReader::Open and the lookups on arbitrary stores.
//
// Oracles:
//  1. Nothing crashes or reads outside its buffer; a declared size outside 0..64 MiB raises
//     ElzhException, anything else answers true or false.
//  2. The older-skin message is shown exactly when the unpacked bytes lack the version mark.
//  3. After a successful Open: at most 1001 entries, and every name's GetEntry returns an entry
//     of the size its table gives (the first of equal names), also when asked in upper case;
//     FindEntry(".ini") finds the first name containing ".ini". After a failed Open the reader
//     holds nothing.
//  4. An opened archive whose names are all different, built again from its entries, opens to
//     the same names and bytes.
//
// Input: a mode byte, then the body. Mode even: the body is a store. Mode odd: the body is the
// archive, packed into a store here, so that the fuzzer reaches the archive parser directly.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "forms/stream.h"
#include "forms/text.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"
#include "tools/reference/skin_inputs.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Check(bool ok) {
    if (!ok) std::abort();
}

int shown = 0;

int32_t SizeField(const Bytes& store) {
    return int32_t(uint32_t(store[0]) | uint32_t(store[1]) << 8 | uint32_t(store[2]) << 16 |
                   uint32_t(store[3]) << 24);
}

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

Bytes Entry(const TSkinReader& reader, const std::string& name) {
    TMemoryStream target;
    reader.GetEntry(name, target);
    Check(target.Position() == 0);
    return target.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = [] {
        SetSkinMessageHandler([](const std::wstring&) { ++shown; });
        return true;
    }();
    (void)installed;
    if (size < 1) return 0;
    Bytes store(data + 1, data + size);
    if (data[0] & 1) store = PackSkinStore(store);

    if (store.size() >= 4) {
        const int32_t declared = SizeField(store);
        if (declared < 0 || declared > TLZH::kMaxDecodedSize) {
            TSkinReader reader;
            TMemoryStream stream(store);
            bool raised = false;
            try {
                reader.Open(stream);
            } catch (const ElzhException&) {
                raised = true;
            }
            Check(raised && reader.Count() == 0);
            return 0;
        }
        // Keep each run short: a few bytes may declare megabytes of zero-bit output.
        if (declared > (1 << 18)) {
            const uint32_t smaller = uint32_t(declared) % (1 << 18);
            for (int i = 0; i < 4; ++i) store[size_t(i)] = uint8_t(smaller >> (8 * i));
        }
    }

    TSkinReader reader;
    TMemoryStream unpacked;
    TMemoryStream source(store);
    reader.Unpack(source, unpacked);
    const Bytes& archive = unpacked.Bytes();
    const bool marked = archive.size() >= 4 && archive[0] == 0x20 && archive[1] == 0x4E &&
                        archive[2] == 0 && archive[3] == 0;

    shown = 0;
    source.SetPosition(0);
    const bool opened = reader.Open(source);
    Check((shown == 1) == !marked && shown <= 1);
    if (!opened) {
        Check(reader.Count() == 0 && reader.Names().empty());
        Check(Entry(reader, "a.bmp").empty());
        return 0;
    }

    Check(reader.Count() <= TSkinReader::kMaxEntries &&
          reader.Count() == int(reader.Names().size()));
    std::set<std::string> seen;
    std::vector<TSkinEntry> entries;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[size_t(i)];
        Check(name == AsciiLowerCase(name));
        if (!seen.insert(name).second) continue;  // lookups return the first of equal names
        const Bytes bytes = Entry(reader, name);
        Check(int64_t(bytes.size()) == reader.EntrySize(i));
        Check(Entry(reader, UpperAscii(name)) == bytes);
        entries.push_back({name, bytes});
    }

    TMemoryStream found;
    std::string foundName = "none";
    reader.FindEntry(".ini", found, foundName);
    std::string expected = "none";
    for (const std::string& name : reader.Names()) {
        if (name.find(".ini") != std::string::npos) {
            expected = name;
            break;
        }
    }
    Check(foundName == expected);

    if (entries.size() == size_t(reader.Count())) {
        TSkinReader again;
        TMemoryStream rebuilt(PackSkinStore(BuildSkinArchive(entries)));
        Check(again.Open(rebuilt));
        Check(again.Names() == reader.Names());
        for (const TSkinEntry& entry : entries) Check(Entry(again, entry.name) == entry.data);
    }
    return 0;
}

void PonderixFuzzSeeds(std::vector<std::string>& seeds) {
    const auto add = [&seeds](uint8_t mode, const Bytes& body) {
        seeds.push_back(std::string(1, char(mode)) + std::string(body.begin(), body.end()));
    };
    const std::string ini = skinref::SkinDescription(3);
    const std::vector<TSkinEntry> skin = {
        {"skin.ini.bak", Bytes(ini.begin(), ini.begin() + 20)},
        {"Skin.ini", Bytes(ini.begin(), ini.end())},
        {"FrameTop.bmp", skinref::SkinBitmap(30, 5, 1, 1)},
        {"\xC4\xE3 button.bmp", skinref::SkinBitmap(12, 4, 3, 2)},
        {"frametop.BMP", {'B', 'M'}},
        {"", {}},
    };
    const Bytes archive = BuildSkinArchive(skin);
    add(0, PackSkinStore(archive));
    add(1, archive);
    add(0, {});
    add(0, {0, 0, 0, 0});
    add(0, {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
    add(1, {0x1F, 0x4E, 0, 0, 0, 0, 0, 0});

    // Hand-made archive bodies for the parser: sizes 10, 0, 5; a negative size; sizes beyond
    // the data; lone CR and LF breaks; a NUL inside the name list.
    const auto raw = [](std::string list, std::vector<int32_t> sizes, size_t dataBytes) {
        Bytes a = {0x20, 0x4E, 0, 0};
        const uint32_t length = uint32_t(list.size());
        for (int i = 0; i < 4; ++i) a.push_back(uint8_t(length >> (8 * i)));
        a.insert(a.end(), 8, 7);
        a.insert(a.end(), list.begin(), list.end());
        for (int32_t s : sizes)
            for (int i = 0; i < 4; ++i) a.push_back(uint8_t(uint32_t(s) >> (8 * i)));
        for (size_t i = 0; i < dataBytes; ++i) a.push_back(uint8_t(i));
        return a;
    };
    add(1, raw("a\r\nb\r\nc\r\n", {10, 0, 5}, 15));
    add(1, raw("a\rb\nc", {1, -1, 1}, 3));
    add(1, raw("a\r\nb\r\n", {6, 5}, 10));
    add(1, raw(std::string("x.ini\r\n\0y", 9), {2}, 2));
    std::string many;
    for (int i = 0; i < 1002; ++i) many += "e\r\n";
    add(1, raw(many, std::vector<int32_t>(1002, 0), 0));
}
