#include "skin/skin_reader.h"

#include <cassert>
#include <cstring>
#include <utility>

#include "forms/text.h"
#include "skin/lzh.h"

namespace {

TSkinMessageHandler& MessageHandler() {
    static TSkinMessageHandler handler;
    return handler;
}

void ShowSkinMessage(const std::wstring& text) {
    if (const TSkinMessageHandler& handler = MessageHandler()) handler(text);
}

int32_t ReadInt32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

void AppendInt32(std::vector<uint8_t>& out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

}  // namespace

TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler) {
    return std::exchange(MessageHandler(), std::move(handler));
}

std::vector<std::string> SplitNameList(std::string_view list) {
    list = list.substr(0, list.find('\0'));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = list.size();
        lines.emplace_back(list.substr(start, end - start));
        start = end;
        if (start < list.size() && list[start] == '\r') ++start;
        if (start < list.size() && list[start] == '\n') ++start;
    }
    return lines;
}

void TSkinReader::Clear() {
    names.clear();
    count = 0;
    sizes.fill(0);
    data.Clear();
    header = {};
    error.clear();
}

bool TSkinReader::Refuse(std::string why) {
    Clear();
    error = std::move(why);
    return false;
}

void TSkinReader::Unpack(TStream& store, TStream& target) {
    store.SetPosition(0);
    target.SetSize(0);
    target.SetPosition(0);
    uint8_t field[4];
    if (store.Read(field, 4) != 4) return;  // no size field: an empty store
    TLZH().Decode(ReadInt32(field), store, target);
}

bool TSkinReader::Open(TStream& store) {
    Clear();
    TMemoryStream buffer;
    Unpack(store, buffer);
    const uint8_t* const bytes = buffer.Memory();
    const size_t length = buffer.Bytes().size();

    if (length < 4 || ReadInt32(bytes) != kVersionMark) {
        ShowSkinMessage(kOlderSkinMessage);
        return Refuse("the archive's version mark is not " + std::to_string(kVersionMark));
    }
    if (length < kHeaderSize) {
        return Refuse("the archive is " + std::to_string(length) +
                      " bytes long and ends inside its 16-byte header");
    }
    TSkinArchiveHeader read;
    read.version = ReadInt32(bytes);
    read.nameListLength = ReadInt32(bytes + 4);
    std::memcpy(read.reserved.data(), bytes + 8, read.reserved.size());

    // Each length from the file is compared with what is left, never added to a position.
    size_t left = length - kHeaderSize;
    if (read.nameListLength < 0 || size_t(read.nameListLength) > left) {
        return Refuse("the name list length " + std::to_string(read.nameListLength) +
                      " does not fit the " + std::to_string(left) + " bytes after the header");
    }
    const auto* const listStart = reinterpret_cast<const char*>(bytes + kHeaderSize);
    std::vector<std::string> readNames =
        SplitNameList(AsciiLowerCase(std::string_view(listStart, size_t(read.nameListLength))));
    left -= size_t(read.nameListLength);

    if (readNames.size() > size_t(kMaxEntries)) {
        return Refuse("the archive names " + std::to_string(readNames.size()) +
                      " entries; at most " + std::to_string(kMaxEntries) + " are allowed");
    }
    const size_t entryCount = readNames.size();
    if (4 * entryCount > left) {
        return Refuse("the size table of " + std::to_string(entryCount) +
                      " entries does not fit the " + std::to_string(left) + " bytes left");
    }
    left -= 4 * entryCount;
    const uint8_t* const table = bytes + kHeaderSize + size_t(read.nameListLength);
    std::array<int32_t, kMaxEntries> readSizes{};
    uint64_t total = 0;
    for (size_t i = 0; i < entryCount; ++i) {
        readSizes[i] = ReadInt32(table + 4 * i);
        if (readSizes[i] < 0) {
            return Refuse("entry " + std::to_string(i) + " (\"" + readNames[i] +
                          "\") has the negative size " + std::to_string(readSizes[i]));
        }
        total += uint64_t(readSizes[i]);
    }
    if (total > left) {
        return Refuse("the entry sizes add up to " + std::to_string(total) +
                      " bytes, but the data area holds " + std::to_string(left));
    }

    names = std::move(readNames);
    count = int(entryCount);
    sizes = readSizes;
    header = read;
    data.WriteBuffer(table + 4 * entryCount, int64_t(left));
    data.SetPosition(0);
    return true;
}

void TSkinReader::CopyEntry(int index, TStream& target) const {
    // Open checked that every size is non-negative and that they add up to at most the data
    // area, so each entry lies inside it.
    uint64_t offset = 0;
    for (int i = 0; i < index; ++i) offset += uint64_t(sizes[size_t(i)]);
    const auto size = uint64_t(sizes[size_t(index)]);
    assert(offset <= data.Bytes().size() && size <= data.Bytes().size() - offset);
    target.WriteBuffer(data.Memory() + offset, int64_t(size));
    target.SetPosition(0);
}

void TSkinReader::GetEntry(std::string_view name, TStream& target) const {
    target.SetSize(0);
    target.SetPosition(0);
    const std::string wanted = AsciiLowerCase(name);
    for (int i = 0; i < count; ++i) {
        if (names[size_t(i)] == wanted) {
            CopyEntry(i, target);
            return;
        }
    }
}

void TSkinReader::FindEntry(std::string_view fragment, TStream& target, std::string& name) const {
    target.SetSize(0);
    target.SetPosition(0);
    for (int i = 0; i < count; ++i) {
        if (names[size_t(i)].find(fragment) != std::string::npos) {
            CopyEntry(i, target);
            name = names[size_t(i)];
            return;
        }
    }
}

std::vector<uint8_t> BuildSkinArchive(std::span<const TSkinEntry> entries) {
    if (entries.size() > size_t(TSkinReader::kMaxEntries)) {
        throw ESkinArchiveError(L"A skin archive holds at most " +
                                std::to_wstring(TSkinReader::kMaxEntries) + L" entries, not " +
                                std::to_wstring(entries.size()));
    }
    std::string list;
    uint64_t total = TSkinReader::kHeaderSize;
    for (const TSkinEntry& entry : entries) {
        if (entry.name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
            throw ESkinArchiveError(L"The entry name \"" + Utf8ToWide(entry.name) +
                                    L"\" holds a line break or NUL");
        }
        list += entry.name;
        list += "\r\n";
        total += 4 + entry.name.size() + 2 + entry.data.size();
    }
    if (total > uint64_t(TLZH::kMaxDecodedSize)) {
        throw ESkinArchiveError(L"The skin archive would be " + std::to_wstring(total) +
                                L" bytes, more than a skin store may hold (" +
                                std::to_wstring(TLZH::kMaxDecodedSize) + L")");
    }

    std::vector<uint8_t> out;
    out.reserve(size_t(total));
    AppendInt32(out, TSkinReader::kVersionMark);
    AppendInt32(out, int32_t(list.size()));
    out.insert(out.end(), 8, 0);
    out.insert(out.end(), list.begin(), list.end());
    for (const TSkinEntry& entry : entries) AppendInt32(out, int32_t(entry.data.size()));
    for (const TSkinEntry& entry : entries)
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    return out;
}
