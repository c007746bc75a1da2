#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/FileIo.h"

namespace kx::test {

// A folder of its own for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    // A name no other test (nor another run of this one) has: made, or tried again.
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      path_ = base / ("kxtest-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(path_, error)) break;
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // UTF-8, as every path the programs take.
  std::string file(const std::string& name) const {
    return fileio::utf8Path(path_ / fileio::nativePath(name));
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::vector<std::uint8_t> readAll(const std::string& path) {
  std::ifstream in(fileio::nativePath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(fileio::nativePath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline void writeText(const std::string& path, const std::string& text) {
  std::ofstream out(fileio::nativePath(path), std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace kx::test
