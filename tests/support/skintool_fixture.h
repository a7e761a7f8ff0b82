#pragma once
// A test fixture that runs skintool commands in-process, through the same dispatcher as the
// program, in a private temporary folder that is removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "tools/skintool/skintool.h"

class TSkinToolFixture : public testing::Test {
protected:
    explicit TSkinToolFixture(const std::string& prefix) : root(testfiles::NewTempFolder(prefix)) {}
    ~TSkinToolFixture() override { std::filesystem::remove_all(root); }

    // Runs one command; its output and error text land in out and err.
    int Run(const std::vector<std::string>& args) {
        std::ostringstream o, e;
        const int status = RunSkinTool(args, {o, e});
        out = o.str();
        err = e.str();
        return status;
    }
    // A path in the temporary folder.
    std::string P(const char* name) const { return (root / name).string(); }

    const std::filesystem::path root;
    std::string out, err;
};
