#pragma once
// Byte streams: the abstract TStream and the growable in-memory TMemoryStream. Used by the form
// reader for custom stream properties, by the skin store and by image loading.

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to count bytes; answers how many were read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes count bytes; answers how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position; answers the new position. Never moves before 0.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(int64_t newSize) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    int64_t Size();

    // Exactly count bytes or EReadError / EWriteError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source (all of it from position 0 when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);

    int32_t ReadInt32();
    void WriteInt32(int32_t value);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;

    void Clear();
    const uint8_t* Memory() const { return bytes.data(); }
    uint8_t* Memory() { return bytes.data(); }
    const std::vector<uint8_t>& Bytes() const { return bytes; }

    // Whole-file helpers; failures raise EStreamError naming the file.
    void LoadFromFile(const std::wstring& path);
    void SaveToFile(const std::wstring& path) const;

private:
    std::vector<uint8_t> bytes;
    int64_t position = 0;
};
