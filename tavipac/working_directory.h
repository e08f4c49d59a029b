// Runs a step as the editor would run in another working directory: the
// parts collection folder "部屋の部品集" is found relative to it.
#pragma once

#include <filesystem>
#include <string>

class WorkingDirectory {
  public:
    // Changes to folder (a UTF-8 path; empty keeps the current one). Throws a
    // CommandError when that is not possible.
    explicit WorkingDirectory(const std::string &folder);
    WorkingDirectory(const WorkingDirectory &) = delete;
    WorkingDirectory &operator=(const WorkingDirectory &) = delete;
    // Back to where it was.
    ~WorkingDirectory();

  private:
    std::filesystem::path previous_;
};
