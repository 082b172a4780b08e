#pragma once

#include <chrono>
#include <string>
#include <thread>

#include "sqlite_database.h"

namespace humo::testing {

// Another program writing the database file holds it locked for a while.
class OtherProgramLock {
public:
    explicit OtherProgramLock(const std::string& path) : db_(path, sqlite::OpenMode::kReadWrite) {
        db_.execute("BEGIN EXCLUSIVE");
    }
    ~OtherProgramLock() {
        if (releaser_.joinable())
            releaser_.join();
    }
    OtherProgramLock(const OtherProgramLock&) = delete;
    OtherProgramLock& operator=(const OtherProgramLock&) = delete;

    void release_after(std::chrono::milliseconds delay) {
        releaser_ = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            db_.execute("COMMIT");
        });
    }

private:
    sqlite::Database db_;
    std::thread releaser_;
};

}  // namespace humo::testing
