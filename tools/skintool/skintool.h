#pragma once
// skintool: builds and inspects skin stores.
//
//   skintool pack DIR OUT      store the skin description and BMP images of DIR in OUT
//   skintool unpack STORE DIR  write every entry of STORE into DIR
//   skintool list STORE        show the entries of STORE
//   skintool preview STORE OUT.bmp  draw every element of STORE's skin on one sheet (Windows)
//   skintool gallery STORE     every skinned control in windows skinned with STORE (Windows)
//
// Each command is one function in its own file, listed once in the table of skintool.cpp; a new
// command is a new file plus one row there.

#include <ostream>
#include <span>
#include <string>

#include "forms/exception.h"

// A failure the user can act on; the tool prints its message and exits with status 1.
PONDERIX_EXCEPTION(ESkinToolError, Exception);
// Wrong arguments; the tool prints the message and the command's usage and exits with status 2.
PONDERIX_EXCEPTION(ESkinToolUsage, Exception);

using TSkinToolArgs = std::span<const std::string>;

struct TSkinToolIO {
    std::ostream& out;  // results
    std::ostream& err;  // warnings
};

struct TSkinToolCommand {
    const char* name;
    const char* arguments;  // for the usage line
    const char* summary;
    void (*run)(TSkinToolArgs args, TSkinToolIO io);  // throws on failure
};

void PackCommand(TSkinToolArgs args, TSkinToolIO io);
void UnpackCommand(TSkinToolArgs args, TSkinToolIO io);
void ListCommand(TSkinToolArgs args, TSkinToolIO io);
void PreviewCommand(TSkinToolArgs args, TSkinToolIO io);
void GalleryCommand(TSkinToolArgs args, TSkinToolIO io);

// Runs one command line (without the program name): finds the command, runs it, and turns its
// errors into messages on err. Answers the exit status: 0 done, 1 failed, 2 wrong arguments.
int RunSkinTool(TSkinToolArgs args, TSkinToolIO io);
