#pragma once
// A fresh folder under the system's temporary folder, removed with all it holds at the end.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class temp_dir_t {
public:
    temp_dir_t() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tw-test-XXXXXX").string();
        if (mkdtemp(tmpl.data())) root_ = tmpl;
    }
    ~temp_dir_t() {
        std::error_code ec;
        if (!root_.empty()) std::filesystem::remove_all(root_, ec);
    }
    temp_dir_t(const temp_dir_t&) = delete;
    temp_dir_t& operator=(const temp_dir_t&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& rel = "") const { return (root_ / rel).string(); }
    void file(const std::string& rel, const std::string& body = "x") const {
        std::filesystem::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel, std::ios::binary) << body;
    }
    void folder(const std::string& rel) const { std::filesystem::create_directories(root_ / rel); }
    std::string read(const std::string& rel) const {
        std::ifstream in(root_ / rel, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path root_;
};
