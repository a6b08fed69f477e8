#pragma once
// Helpers for the Windows tests: scratch folders with real files. Dialogs a
// test provokes are answered by a ModalAnswerer.
#include <windows.h>

#include <string>

#include "ModalAnswerer.h"

// A fresh folder under the temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The path with a final backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);  // throws when missing
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

// A name list as the shell reads it (NUL-separated, closed by one more NUL),
// up to and including the closing NUL.
std::string NameListText(const char* p);

