#include "file_holders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace humo::files {

std::vector<std::string> other_programs_holding(const std::string& path) {
    namespace fs = std::filesystem;
    std::vector<std::string> programs;
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0)
        return programs;
    const std::string own = std::to_string(::getpid());
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == own)
            continue;
        std::error_code unreadable;
        for (const fs::directory_entry& fd :
             fs::directory_iterator(process.path() / "fd", unreadable)) {
            struct stat open {};
            if (::stat(fd.path().c_str(), &open) != 0 || open.st_dev != file.st_dev ||
                open.st_ino != file.st_ino)
                continue;
            std::string name;
            std::getline(std::ifstream(process.path() / "comm"), name);
            programs.push_back((name.empty() ? "a program" : name) + " (process " + pid + ")");
            break;
        }
    }
    return programs;
}

}  // namespace humo::files
