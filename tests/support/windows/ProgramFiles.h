// Files around the programs under test: the exes beside this one, and
// folders of their own to run them in.
#pragma once

#include <string>

// `name` in this program's own directory.
std::string ProgramBesideThis(const char* name);
bool FileExists(const std::string& path);

// A fresh folder under the temporary directory, removed with its files; an
// empty Path() when none could be made.
class ScratchFolder {
  public:
    explicit ScratchFolder(const char* prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const char* name) const;
    // The bytes as they stand, with no line-end translation.
    bool Write(const char* name, const std::string& bytes) const;
    // The whole file; false when it is absent or unreadable.
    bool Read(const char* name, std::string* bytes) const;

  private:
    std::string path_;
};
