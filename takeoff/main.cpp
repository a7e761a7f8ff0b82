// ponderix-takeoff: weighs a bill of materials from a CSV list; see takeoff/takeoff_command.h.

#include <iostream>
#include <string>
#include <vector>

#include "takeoff/takeoff_command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "forms/text.h"

int wmain(int argc, wchar_t** argv) {
    // The reports are UTF-8 bytes: keep the C library from translating line ends, and let a
    // console show them as UTF-8.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    return RunTakeoffCommand(args, std::cin, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    return RunTakeoffCommand(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                             std::cerr);
}
#endif
