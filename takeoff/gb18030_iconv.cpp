// GB18030 decoding on the host: glibc's iconv.
#include <errno.h>
#include <iconv.h>

#include "forms/owned.h"
#include "takeoff/list_text.h"

namespace {

void CloseConverter(iconv_t converter) { iconv_close(converter); }

}  // namespace

bool Gb18030ToUtf8(std::string_view bytes, std::string& utf8) {
    const iconv_t opened = iconv_open("UTF-8", "GB18030");
    if (opened == iconv_t(-1)) return false;
    const Owned<iconv_t, &CloseConverter> converter(opened);

    utf8.clear();
    // iconv takes a non-const input pointer but does not write through it.
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter.Get(), &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, size_t(out - buffer));
        if (done == size_t(-1) && errno != E2BIG) return false;  // EILSEQ, or EINVAL: cut short
    }
    return true;
}
