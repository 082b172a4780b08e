#include "chm_archive.h"

#include <chm_lib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>

namespace humo::help {
namespace {

// No topic, picture or table of contents comes near this; a directory entry claiming more
// is damaged, and believing it would only exhaust memory.
constexpr LONGUINT64 kLargestObject = 64ull << 20;
// Reading a help file takes well under a second; a child still busy after this is stuck.
constexpr std::chrono::seconds kReadingTime{20};
constexpr int kNotChm = 3;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The child's side: every object of the file, in records of a 32-bit path length, the path,
// one byte 1 when the object could be read (then a 64-bit length and its bytes) or 0.
class ObjectWriter {
public:
    explicit ObjectWriter(int fd) : fd_(fd) {}

    void write_object(const std::string& path, const std::optional<std::string>& data) {
        put_number(path.size(), 4);
        put(path);
        put(std::string(1, data ? '\1' : '\0'));
        if (data) {
            put_number(data->size(), 8);
            put(*data);
        }
    }

private:
    void put_number(std::uint64_t value, int width) {
        std::string bytes;
        for (int i = 0; i < width; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        put(bytes);
    }
    void put(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                _exit(1);
            done += static_cast<std::size_t>(n);
        }
    }

    int fd_;
};

int collect_path(chmFile*, chmUnitInfo* unit, void* context) {
    const std::string path = unit->path;
    // Folders and the compression's own data are no objects of the help.
    if (!path.empty() && path.back() != '/' && path.rfind("::", 0) != 0)
        static_cast<std::vector<std::string>*>(context)->push_back(path);
    return CHM_ENUMERATOR_CONTINUE;
}

std::optional<std::string> read_object(chmFile* file, const std::string& path) {
    chmUnitInfo unit;
    if (chm_resolve_object(file, path.c_str(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > kLargestObject)
        return std::nullopt;
    std::string data(unit.length, '\0');
    if (unit.length == 0)
        return data;
    const LONGINT64 length = static_cast<LONGINT64>(unit.length);
    const LONGINT64 got =
        chm_retrieve_object(file, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, length);
    if (got != length)
        return std::nullopt;
    return data;
}

[[noreturn]] void read_in_child(const std::string& path, int out) {
    chmFile* file = chm_open(path.c_str());
    if (!file)
        _exit(kNotChm);
    std::vector<std::string> paths;
    chm_enumerate(file, CHM_ENUMERATE_ALL, collect_path, &paths);
    ObjectWriter writer(out);
    for (const std::string& object : paths)
        writer.write_object(object, read_object(file, object));
    chm_close(file);
    _exit(0);
}

// The parent's side: all the child wrote, or nothing when it did not finish in time.
std::optional<std::string> read_all(int in, pid_t child) {
    const auto deadline = std::chrono::steady_clock::now() + kReadingTime;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{in, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            ::kill(child, SIGKILL);
            return std::nullopt;
        }
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        if (n < 0)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

class ObjectReader {
public:
    explicit ObjectReader(const std::string& bytes) : bytes_(bytes) {}
    bool at_end() const { return position_ == bytes_.size(); }
    std::optional<std::uint64_t> number(int width) {
        if (bytes_.size() - position_ < static_cast<std::size_t>(width))
            return std::nullopt;
        std::uint64_t value = 0;
        for (int i = width; i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(bytes_[position_ + i]);
        position_ += width;
        return value;
    }
    std::optional<std::string> text(std::uint64_t length) {
        if (bytes_.size() - position_ < length)
            return std::nullopt;
        std::string text = bytes_.substr(position_, length);
        position_ += length;
        return text;
    }

private:
    const std::string& bytes_;
    std::size_t position_ = 0;
};

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& path) {
    int channel[2];
    if (::pipe(channel) != 0)
        return nullptr;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return nullptr;
    }
    if (child == 0) {
        ::close(channel[0]);
        read_in_child(path, channel[1]);
    }
    ::close(channel[1]);
    const std::optional<std::string> bytes = read_all(channel[0], child);
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!bytes || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return nullptr;

    auto archive = std::unique_ptr<ChmArchive>(new ChmArchive);
    ObjectReader reader(*bytes);
    while (!reader.at_end()) {
        const auto path_length = reader.number(4);
        const auto object_path = path_length ? reader.text(*path_length) : std::nullopt;
        const auto readable = object_path ? reader.number(1) : std::nullopt;
        if (!readable)
            return nullptr;
        std::optional<std::string> data;
        if (*readable) {
            const auto length = reader.number(8);
            data = length ? reader.text(*length) : std::nullopt;
            if (!data)
                return nullptr;
        }
        archive->objects_.emplace(lower(*object_path), Object{*object_path, std::move(data)});
    }
    return archive;
}

bool ChmArchive::contains(const std::string& path) const { return objects_.count(lower(path)) > 0; }

std::optional<std::string> ChmArchive::read(const std::string& path) const {
    auto found = objects_.find(lower(path));
    return found == objects_.end() ? std::nullopt : found->second.data;
}

std::vector<std::string> ChmArchive::object_paths() const {
    std::vector<std::string> paths;
    for (const auto& [key, object] : objects_)
        paths.push_back(object.path);
    return paths;
}

}  // namespace humo::help
