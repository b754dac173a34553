#include "ProgramFiles.h"

#include <windows.h>

std::string ProgramBesideThis(const char* name) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(0, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    std::string self(path, length);
    return self.substr(0, self.find_last_of("\\/") + 1) + name;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ScratchFolder::ScratchFolder(const char* prefix) {
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    static unsigned folders = 0;
    const std::string stem =
        std::string(temp, length) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-";
    // A folder of that name left by an earlier process with the same id is not ours.
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = stem + std::to_string(++folders);
        if (CreateDirectoryA(candidate.c_str(), 0)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) {
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                DeleteFileA((path_ + "\\" + found.cFileName).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

std::string ScratchFolder::File(const char* name) const {
    return path_ + "\\" + name;
}

bool ScratchFolder::Write(const char* name, const std::string& bytes) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = bytes.empty() ||
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, 0);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ScratchFolder::Read(const char* name, std::string* bytes) const {
    bytes->clear();
    // The program under test may be writing it at this moment.
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    char chunk[256];
    DWORD got = 0;
    BOOL ok = TRUE;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, 0)) && got > 0) {
        bytes->append(chunk, got);
    }
    CloseHandle(file);
    return ok != FALSE;
}
