// The folder a benchmark works in: made fresh under the system's temporary
// folder and made the working directory for the object's lifetime; then
// the previous one comes back and the folder goes away with everything in
// it. (Declared before a dialog, the folder outlives the dialog's watches
// on its folders.)
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

class BenchFolder {
  public:
    explicit BenchFolder(const std::string &name)
        : previous_(std::filesystem::current_path()), folder_(std::filesystem::temp_directory_path() / name)
    {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    BenchFolder(const BenchFolder &) = delete;
    BenchFolder &operator=(const BenchFolder &) = delete;
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};
