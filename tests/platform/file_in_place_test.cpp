// Writing a file whole or not at all: what is left on the disk after every way a write can end.

#include "file_in_place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "failure_of.h"
#include "files.h"
#include "sqlite_database.h"
#include "temp_dir.h"

namespace humo::files {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using testing::bytes_of;
using testing::failure_of;
using testing::file_names;
using testing::write_bytes;

const std::string kOld = "the file as it was";
const std::string kNew = "the new file, written whole";

mode_t mode_of(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
}

class FileInPlaceTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::string target = dir.file("report.pdf");
};

TEST_F(FileInPlaceTest, ReplacesTheFileWholeKeepingItsPermissions) {
    write_bytes(target, kOld);
    ::chmod(target.c_str(), 0600);
    write_whole(target, kNew);
    EXPECT_EQ(bytes_of(target), kNew);
    EXPECT_EQ(mode_of(target) & 07777, 0600u);
    EXPECT_EQ(file_names(dir.path()), Names{"report.pdf"});
}

TEST_F(FileInPlaceTest, WritesThroughASymbolicLinkToItsTarget) {
    fs::create_directory(dir.path() / "real");
    write_bytes(dir.file("real/report.pdf"), kOld);
    fs::create_symlink("real/report.pdf", target);
    write_whole(target, kNew);
    EXPECT_TRUE(S_ISLNK(mode_of(target)));
    EXPECT_EQ(bytes_of(dir.file("real/report.pdf")), kNew);
    EXPECT_EQ(file_names(dir.path() / "real"), Names{"report.pdf"});
}

TEST_F(FileInPlaceTest, WritesStraightIntoAFifoAndLeavesItAFifo) {
    ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = bytes_of(target); });
    write_whole(target, kNew);
    reader.join();
    EXPECT_EQ(received, kNew);
    EXPECT_TRUE(S_ISFIFO(mode_of(target)));
    EXPECT_EQ(file_names(dir.path()), Names{"report.pdf"});
}

TEST_F(FileInPlaceTest, RefusesWhatItMustNotReplaceAndSaysWhy) {
    fs::create_directories(dir.path() / "folder" / "inside");
    EXPECT_EQ(failure_of([&] { write_whole(dir.file("folder"), kNew); }),
              "cannot write " + dir.file("folder") + ": it is a directory");
    EXPECT_EQ(file_names(dir.path() / "folder"), Names{"inside"});

    // An open database, and through a link to it.
    const std::string database = dir.file("humo_tool.mdb");
    { sqlite::Database made(database, sqlite::OpenMode::kCreate); }
    const std::string before = bytes_of(database);
    fs::create_symlink("humo_tool.mdb", dir.file("link.mdb"));
    {
        sqlite::Database open(database, sqlite::OpenMode::kReadWrite);
        for (const std::string& path : {database, dir.file("link.mdb")}) {
            EXPECT_EQ(failure_of([&] { write_whole(path, kNew); }),
                      "cannot write " + path + ": it is the database in use");
        }
    }
    EXPECT_EQ(bytes_of(database), before);
    EXPECT_EQ(failure_of([&] { write_whole(dir.file("none/report.pdf"), kNew); }),
              "cannot write " + dir.file("none/report.pdf") + ": No such file or directory");
    EXPECT_EQ(file_names(dir.path()), (Names{"folder", "humo_tool.mdb", "link.mdb"}));
}

TEST_F(FileInPlaceTest, ADiskThatFillsUpLeavesTheOldFileAsItWas) {
    write_bytes(target, kOld);
    EXPECT_EQ(testing::failure_on_a_full_disk(
                  100, [&] { write_whole(target, std::string(1 << 16, 'x')); }),
              "cannot write " + target + ": File too large");
    EXPECT_EQ(bytes_of(target), kOld);
    EXPECT_EQ(file_names(dir.path()), Names{"report.pdf"});
}

TEST_F(FileInPlaceTest, AnInterruptedWriteLeavesNothingBehind) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        if (child == 0) {
            FileInPlace file(target);
            file.write(kNew);
            ::raise(signal);
            _exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(file_names(dir.path()).empty()) << signal;
    }
}

TEST_F(FileInPlaceTest, CopyingAMissingFileNamesItAndLeavesNoTarget) {
    const auto missing = failure_of([&] { copy_whole(dir.file("none.mdb"), target); });
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find(dir.file("none.mdb")), std::string::npos) << *missing;
    EXPECT_NE(missing->find("No such file or directory"), std::string::npos) << *missing;
    EXPECT_TRUE(file_names(dir.path()).empty());
}

TEST_F(FileInPlaceTest, WritersSideBySideAllSucceedAndTheFirstCopyStays) {
    const std::string source = dir.file("defaults.mdb");
    write_bytes(source, std::string(1 << 20, 'd'));
    write_bytes(target, kOld);
    copy_whole(source, target, true);
    EXPECT_EQ(bytes_of(target), kOld);
    fs::remove(target);

    const std::string copy = dir.file("copy.mdb");
    std::vector<pid_t> children;
    for (int i = 0; i < 6; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                copy_whole(source, copy, true);
            } catch (const FileError&) {
                _exit(1);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(bytes_of(copy), bytes_of(source));
    EXPECT_EQ(file_names(dir.path()), (Names{"copy.mdb", "defaults.mdb"}));
}

}  // namespace
}  // namespace humo::files
