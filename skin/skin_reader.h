#pragma once
// TSkinReader: opens a skin store (a 4-byte size and an LZHUF stream, see skin/lzh.h) and hands
// out the files of the skin archive inside it by name.
//
// Skin archive (all integers little-endian, signed 32-bit):
//
//   offset        size   field
//   0             4      version mark, 20000
//   4             4      L, length of the name list in bytes
//   8             8      reserved; kept, never interpreted
//   16            L      entry names, one per line (CR LF, lone CR or lone LF; NUL ends the list)
//   16+L          4*N    entry sizes, in name order
//   16+L+4*N      rest   entry data, back to back in name order
//
// Names are compared after folding ASCII A-Z to lower case only; other bytes (multi-byte ANSI
// names) must match exactly. A store comes from anywhere, so every length in it is checked
// before use: an archive that does not add up is refused as a whole.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/exception.h"
#include "forms/stream.h"

// Shown when a store does not hold an archive of the current version (the "\r" makes two lines).
inline constexpr const wchar_t* kOlderSkinMessage =
    L"This is Older Skin File\rPlease update to new version !";

// How the reader shows a message to the user. The portable core cannot show anything; the Win32
// side installs a message box (skin/skin_message_win.h). Without a handler nothing is shown.
using TSkinMessageHandler = std::function<void(const std::wstring& text)>;
// Installs handler (or none) and answers the one installed before.
TSkinMessageHandler SetSkinMessageHandler(TSkinMessageHandler handler);

struct TSkinArchiveHeader {
    int32_t version = 0;
    int32_t nameListLength = 0;
    std::array<uint8_t, 8> reserved{};
};

class TSkinReader {
public:
    static constexpr int32_t kVersionMark = 20000;
    static constexpr int kMaxEntries = 1001;  // the size table's capacity
    static constexpr size_t kHeaderSize = 16;

    // Unpacks store and loads its names, sizes and entry data. Answers false, holding no
    // entries, when the archive is not of version 20000 (after showing kOlderSkinMessage) or
    // does not add up (see Error()). Decoder errors (ElzhException) propagate.
    bool Open(TStream& store);
    // Decodes store (from position 0: the 4-byte size, then the coded stream) into target, which
    // is emptied first. A store shorter than 4 bytes holds nothing.
    void Unpack(TStream& store, TStream& target);
    // Empties target, then writes into it the first entry whose name equals name after ASCII
    // lower-casing, and moves target to position 0. No match leaves target empty.
    void GetEntry(std::string_view name, TStream& target) const;
    // As GetEntry, for the first entry whose lower-cased name contains fragment (taken as it
    // is); also sets name to that entry's name. No match leaves target empty and name as it was.
    void FindEntry(std::string_view fragment, TStream& target, std::string& name) const;

    int Count() const { return count; }
    // Lower-cased entry names in archive order.
    const std::vector<std::string>& Names() const { return names; }
    int32_t EntrySize(int index) const { return sizes.at(size_t(index)); }
    const TSkinArchiveHeader& Header() const { return header; }
    // Why the last Open answered false (English, for diagnostics); empty after a success.
    const std::string& Error() const { return error; }

private:
    void Clear();
    bool Refuse(std::string why);
    void CopyEntry(int index, TStream& target) const;

    std::vector<std::string> names;
    int count = 0;
    std::array<int32_t, kMaxEntries> sizes{};
    TMemoryStream data;
    TSkinArchiveHeader header;
    std::string error;
};

// Splits a name list into names: a line ends at CR LF, a lone CR or a lone LF; the break after
// the last name adds no name, but an empty line between two names is an empty name. A NUL byte
// ends the list.
std::vector<std::string> SplitNameList(std::string_view list);

// Building archives, for the skin tool and tests. The program itself only reads them.
PONDERIX_EXCEPTION(ESkinArchiveError, Exception);

struct TSkinEntry {
    std::string name;
    std::vector<uint8_t> data;
};

// The archive holding entries in the given order, version 20000, reserved bytes zero, each name
// followed by CR LF. Raises ESkinArchiveError for more than kMaxEntries entries, a name holding
// CR, LF or NUL, or a total beyond what a skin store may hold.
std::vector<uint8_t> BuildSkinArchive(std::span<const TSkinEntry> entries);
