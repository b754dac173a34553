// A fresh directory under the system's temporary directory, removed with its
// files at the end of the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
            std::filesystem::path candidate =
                base / ("closer-test-" + std::to_string(Counter()++) + "-" +
                        std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFF));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate;
            }
        }
        EXPECT_FALSE(path_.empty()) << "no scratch directory under " << base;
    }
    ~ScratchDirectory() {
        std::error_code error;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, error);
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }

    // Writes the bytes as they stand, with no line-end translation.
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(out.good()) << "could not write " << File(name);
    }

    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::filesystem::path path_;
};
