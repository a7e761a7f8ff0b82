#include "forms/stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "forms/exception.h"
#include "forms/text.h"

int64_t TStream::Size() {
    const int64_t saved = Position();
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(saved, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(L"读流错误");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"写流错误");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    uint8_t chunk[64 * 1024];
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min<int64_t>(left, sizeof chunk);
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        left -= n;
    }
    return count;
}

int32_t TStream::ReadInt32() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                uint32_t(b[3]) << 24);
}

void TStream::WriteInt32(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteBuffer(b, 4);
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const auto size = static_cast<int64_t>(bytes.size());
    if (count <= 0 || position >= size) return 0;
    const int64_t n = std::min(count, size - position);
    std::memcpy(buffer, bytes.data() + position, static_cast<size_t>(n));
    position += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = position + count;
    if (end > static_cast<int64_t>(bytes.size())) bytes.resize(static_cast<size_t>(end));
    std::memcpy(bytes.data() + position, buffer, static_cast<size_t>(count));
    position = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = position;
    if (origin == TSeekOrigin::soEnd) base = static_cast<int64_t>(bytes.size());
    position = std::max<int64_t>(0, base + offset);
    return position;
}

void TMemoryStream::SetSize(int64_t newSize) {
    bytes.resize(static_cast<size_t>(std::max<int64_t>(0, newSize)));
    position = std::min(position, static_cast<int64_t>(bytes.size()));
}

void TMemoryStream::Clear() {
    bytes.clear();
    position = 0;
}

namespace {

std::FILE* OpenFile(const std::wstring& path, bool write) {
#ifdef _WIN32
    return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
    return std::fopen(WideToUtf8(path).c_str(), write ? "wb" : "rb");
#endif
}

}  // namespace

void TMemoryStream::LoadFromFile(const std::wstring& path) {
    std::FILE* file = OpenFile(path, false);
    if (!file) throw EStreamError(L"无法打开文件 \"" + path + L"\"");
    std::vector<uint8_t> content;
    uint8_t chunk[64 * 1024];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.insert(content.end(), chunk, chunk + n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw EStreamError(L"读取文件 \"" + path + L"\" 失败");
    bytes = std::move(content);
    position = 0;
}

void TMemoryStream::SaveToFile(const std::wstring& path) const {
    std::FILE* file = OpenFile(path, true);
    if (!file) throw EStreamError(L"无法创建文件 \"" + path + L"\"");
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) throw EStreamError(L"写入文件 \"" + path + L"\" 失败");
}
