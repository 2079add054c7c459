#pragma once
// A fresh folder per test under the system's temporary folder, with helpers
// to put and take raw bytes; removed after the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class tmp_files_test : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("tw_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(dir, ec);
    }

    std::wstring at(const char* name) const { return (dir / name).wstring(); }
    void put_bytes(const char* name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string bytes_of(const char* name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> names_in_dir() const {
        std::vector<std::string> r;
        for (const auto& e : std::filesystem::directory_iterator(dir)) r.push_back(e.path().filename().string());
        return r;
    }
};

// UTF-16LE bytes of a text, without a mark.
inline std::string u16le(const std::u16string& s) {
    std::string b;
    for (char16_t c : s) {
        b.push_back(char(c & 0xFF));
        b.push_back(char(c >> 8));
    }
    return b;
}
