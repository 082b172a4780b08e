#include "chm_archive.h"

#include <chm_lib.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>

namespace humo::help {
namespace {

// No topic, picture or table of contents comes near this; a directory entry claiming more
// is damaged, and believing it would only exhaust memory.
constexpr LONGUINT64 kLargestObject = 64ull << 20;
// Listing a file or reading one of its objects takes well under a second; a child still busy
// after this is stuck.
constexpr std::chrono::seconds kReadingTime{10};
// Ends a list of objects.
constexpr std::uint32_t kEndOfList = UINT32_MAX;

using Clock = std::chrono::steady_clock;

std::string number_bytes(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::uint64_t number_of(const std::string& bytes) {
    std::uint64_t value = 0;
    for (size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// Sends all of `bytes`; false when the other side is gone. Never raises SIGPIPE.
bool send_all(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// How long poll() may wait until the deadline: -1 for none, 0 once it has passed.
int milliseconds_until(Clock::time_point deadline) {
    if (deadline == Clock::time_point::max())
        return -1;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<std::int64_t>(left, 0, INT_MAX));
}

// Exactly `size` bytes, or nothing when the other side is gone or the deadline passes.
std::optional<std::string> receive(int fd, std::uint64_t size, Clock::time_point deadline) {
    std::string bytes(size, '\0');
    size_t done = 0;
    while (done < size) {
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, milliseconds_until(deadline));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return std::nullopt;
        const ssize_t n = ::recv(fd, bytes.data() + done, size - done, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        done += static_cast<size_t>(n);
    }
    return bytes;
}

std::optional<std::uint64_t> receive_number(int fd, int width, Clock::time_point deadline) {
    const std::optional<std::string> bytes =
        receive(fd, static_cast<std::uint64_t>(width), deadline);
    if (!bytes)
        return std::nullopt;
    return number_of(*bytes);
}

// The child's side. For each request (a kind, a 32-bit path length and the path): for a read,
// one byte 1 when the object could be read, with a 64-bit length and its bytes, or 0; for a
// lookup, one byte 1 when the file has the object, or 0; for a listing (the path empty), one
// byte 1, then per object a 32-bit path length and the path, then kEndOfList. chmlib finds an
// object by its name, without regard to case, even where its listing of a large file leaves
// some out; the listing is only sent when asked for, as a large file has tens of thousands.
constexpr char kRead = 'R';
constexpr char kList = 'E';
constexpr char kLookUp = 'L';

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

[[noreturn]] void serve_in_child(const std::string& path, int channel) {
    chmFile* file = chm_open(path.c_str());
    if (!file)
        _exit(1);
    // Requests come as long as the archive lives; its end closes the socket.
    const auto forever = Clock::time_point::max();
    for (;;) {
        const std::optional<std::string> kind = receive(channel, 1, forever);
        const std::optional<std::uint64_t> length =
            kind ? receive_number(channel, 4, forever) : std::nullopt;
        const std::optional<std::string> object =
            length ? receive(channel, *length, forever) : std::nullopt;
        if (!object)
            _exit(0);
        std::string reply;
        if ((*kind)[0] == kList) {
            std::vector<std::string> paths;
            chm_enumerate(file, CHM_ENUMERATE_ALL, collect_path, &paths);
            reply = std::string(1, '\1');
            for (const std::string& listed : paths)
                reply += number_bytes(listed.size(), 4) + listed;
            reply += number_bytes(kEndOfList, 4);
        } else if ((*kind)[0] == kLookUp) {
            chmUnitInfo unit;
            const bool found =
                chm_resolve_object(file, object->c_str(), &unit) == CHM_RESOLVE_SUCCESS;
            reply = std::string(1, found ? '\1' : '\0');
        } else {
            const std::optional<std::string> data = read_object(file, *object);
            reply = data ? std::string(1, '\1') + number_bytes(data->size(), 8) + *data
                         : std::string(1, '\0');
        }
        if (!send_all(channel, reply))
            _exit(0);
    }
}

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& path) {
    int channel[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        return nullptr;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return nullptr;
    }
    if (child == 0) {
        // The child keeps nothing of the program's open: not its database, which would look held
        // by another program, nor its window connection.
        const int kept = 3;
        if (::dup2(channel[1], kept) < 0 || ::close_range(kept + 1, ~0U, 0) != 0)
            _exit(1);
        serve_in_child(path, kept);
    }
    ::close(channel[1]);
    auto archive = std::unique_ptr<ChmArchive>(new ChmArchive);
    archive->child_ = child;
    archive->channel_ = channel[0];
    // The child answers once it has opened the file; a file chmlib cannot open ends it.
    if (!archive->ask(kLookUp, "/", Clock::now() + kReadingTime))
        return nullptr;
    return archive;
}

ChmArchive::~ChmArchive() { stop(); }

void ChmArchive::stop() const {
    if (child_ < 0)
        return;
    ::close(channel_);
    ::kill(child_, SIGKILL);
    while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    channel_ = -1;
}

std::optional<std::uint64_t> ChmArchive::ask(char kind, const std::string& path,
                                             std::chrono::steady_clock::time_point deadline) const {
    if (child_ < 0)
        return std::nullopt;
    std::optional<std::uint64_t> answer;
    if (send_all(channel_, std::string(1, kind) + number_bytes(path.size(), 4) + path))
        answer = receive_number(channel_, 1, deadline);
    // Crashed or stuck on this object: nothing more is read from the file.
    if (!answer)
        stop();
    return answer;
}

bool ChmArchive::contains(const std::string& path) const {
    const std::optional<std::uint64_t> found = ask(kLookUp, path, Clock::now() + kReadingTime);
    return found && *found == 1;
}

std::optional<std::string> ChmArchive::read(const std::string& path) const {
    const auto deadline = Clock::now() + kReadingTime;
    const std::optional<std::uint64_t> readable = ask(kRead, path, deadline);
    if (!readable || *readable == 0)
        return std::nullopt;
    const std::optional<std::uint64_t> length = receive_number(channel_, 8, deadline);
    std::optional<std::string> data =
        length && *length <= kLargestObject ? receive(channel_, *length, deadline) : std::nullopt;
    if (!data)
        stop();
    return data;
}

std::vector<std::string> ChmArchive::object_paths() const {
    const auto deadline = Clock::now() + kReadingTime;
    std::vector<std::string> paths;
    if (!ask(kList, "", deadline))
        return paths;
    for (;;) {
        const std::optional<std::uint64_t> length = receive_number(channel_, 4, deadline);
        const std::optional<std::string> object =
            length && *length != kEndOfList ? receive(channel_, *length, deadline) : std::nullopt;
        if (length && *length == kEndOfList)
            return paths;
        if (!object) {
            stop();
            return {};
        }
        paths.push_back(*object);
    }
}

}  // namespace humo::help
