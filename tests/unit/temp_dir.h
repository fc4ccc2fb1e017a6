#pragma once
// A program directory of its own for a test that reads and writes real files: made empty in the
// system's temporary folder, removed with everything in it when the test ends.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ardentix::testing {

class TempDirTest : public ::testing::Test {
  protected:
    TempDirTest() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ardentix-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary directory";
        dir = pattern;
    }
    ~TempDirTest() override { std::filesystem::remove_all(dir); }

    // A file's bytes, empty when it is missing.
    std::string bytes(const std::string& name) const {
        std::ifstream in(std::filesystem::path(dir) / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(std::filesystem::path(dir) / name, std::ios::binary) << text;
    }

    std::string dir;
};

}  // namespace ardentix::testing
