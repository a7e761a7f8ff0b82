// skintool's entry point: hands the command line to the dispatcher.
#include <iostream>
#include <string>
#include <vector>

#include "tools/skintool/skintool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunSkinTool(args, {std::cout, std::cerr});
}
