#include "tools/skintool/tool_files.h"

#include <fstream>
#include <iterator>

#include "forms/stream.h"
#include "forms/text.h"
#include "skin/lzh.h"
#include "tools/skintool/skintool.h"

std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void Fail(const std::string& message) { throw ESkinToolError(Utf8ToWide(message)); }

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot open \"" + PathText(path) + "\" for reading");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) Fail("cannot read \"" + PathText(path) + "\"");
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) Fail("cannot create \"" + PathText(path) + "\"");
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) Fail("cannot write \"" + PathText(path) + "\"");
}

namespace {

// Collects what the reader would show the user while a store is opened, and puts the previous
// handler back afterwards.
class TMessageCapture {
public:
    TMessageCapture()
        : previous(SetSkinMessageHandler([this](const std::wstring& text) { shown = text; })) {}
    ~TMessageCapture() { SetSkinMessageHandler(std::move(previous)); }
    TMessageCapture(const TMessageCapture&) = delete;
    TMessageCapture& operator=(const TMessageCapture&) = delete;

    std::wstring shown;

private:
    TSkinMessageHandler previous;
};

}  // namespace

std::vector<uint8_t> OpenStoreFile(const std::filesystem::path& path, TSkinReader& reader) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    TMemoryStream store(bytes);
    const std::string prefix = "\"" + PathText(path) + "\" is not a usable skin store: ";
    TMessageCapture capture;
    bool opened = false;
    try {
        opened = reader.Open(store);
    } catch (const ElzhException& e) {
        Fail(prefix + e.what());
    }
    if (!opened) {
        std::string why = capture.shown.empty() ? reader.Error() : WideToUtf8(capture.shown);
        for (char& c : why) c = c == '\r' ? ' ' : c;  // the message box's line break
        Fail(prefix + why);
    }
    return bytes;
}
