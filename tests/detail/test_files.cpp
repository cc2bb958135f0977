#include "tests/detail/test_files.h"

#include <windows.h>

std::string TestExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

std::string TestFile(const char* name) {
    return TestExeFolder() + "\\files\\" + name;
}
