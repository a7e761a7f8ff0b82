#pragma once
// TLZH: the LZHUF decoder of skin stores. LZSS over a 4096-byte dictionary whose literals and
// match lengths share one adaptive Huffman tree, and whose match positions carry a fixed code for
// their upper six bits (skin/lzh_model.h has the model).
//
// Input is untrusted: any byte sequence decodes to something. Missing input reads as zero bits,
// decoding stops once the declared size is reached (the last match may add up to 59 bytes more),
// and a declared size outside 0..kMaxDecodedSize is refused before anything is allocated.

#include <cstddef>
#include <cstdint>

#include "forms/exception.h"
#include "forms/stream.h"

PONDERIX_EXCEPTION(ElzhException, Exception);

// Messages of ElzhException: the tables of a run cannot be allocated, or released. Releasing
// memory cannot fail in C++ (the tables are freed by their owner's destructor), so nothing here
// raises the second; it is kept for code that reports the decoder's failures by message.
inline constexpr const wchar_t* kLzhNoMemoryMessage =
    L"LZH : Cannot get memory for dictionary tables";
inline constexpr const wchar_t* kLzhFreeErrorMessage =
    L"LZH : Error freeing memory for dictionary tables";

class TLZH {
public:
    // A skin is a few hundred kilobytes; anything declaring more than this is damaged or hostile.
    static constexpr int64_t kMaxDecodedSize = int64_t(64) << 20;

    // Buffer sizes of one run. The defaults suit any caller; tests shrink them to make every
    // refill and flush boundary occur on small inputs.
    struct TBuffers {
        size_t inputChunk = size_t(64) << 10;   // bytes read from the source at a time
        size_t outputChunk = size_t(64) << 10;  // decoded bytes handed to the sink at a time
    };

    TLZH() = default;
    explicit TLZH(TBuffers buffers);

    // Reads the coded stream from source's current position and writes at least size decoded
    // bytes to sink (at most 59 more when the last symbol is a match). Raises ElzhException for a
    // size outside 0..kMaxDecodedSize or when the tables cannot be allocated; sink errors
    // propagate.
    void Decode(int64_t size, TStream& source, TStream& sink);

private:
    TBuffers buffers;
};
