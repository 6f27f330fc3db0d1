#include "platform/ini/IniFile.h"

#include "platform/ini/IniText.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vux::ini {

namespace {

using detail::IniText;

// Far above any configuration file; keeps a stray huge file from exhausting memory.
constexpr off_t kMaxFileBytes = off_t(512) << 20;
constexpr const char* kTempInfix = ".tmp-";

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (it can report a late write error).
    bool reset() {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

enum class ReadStatus { Ok, Missing, Failed };

// Reads a whole regular file. Anything else (a directory, a FIFO, a device)
// is refused without blocking.
ReadStatus readRegularFile(int dirFd, const char* path, std::string& out, struct stat& st) {
    UniqueFd fd(::openat(dirFd, path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid())
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes)
        return ReadStatus::Failed;
    // Read straight into a buffer of the size fstat gives, growing only if
    // the file grows meanwhile.
    out.assign(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == out.size()) {
            if (static_cast<off_t>(out.size()) >= kMaxFileBytes)
                return ReadStatus::Failed;
            out.resize(out.size() + 65536);
        }
        const ssize_t n = ::read(fd.get(), out.data() + filled, out.size() - filled);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ReadStatus::Failed;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    out.resize(filled);
    return ReadStatus::Ok;
}

bool writeAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The process's umask without changing it (umask(2) would race with other threads).
mode_t currentUmask() {
    std::string status;
    struct stat st {};
    if (readRegularFile(AT_FDCWD, "/proc/self/status", status, st) == ReadStatus::Ok) {
        const auto at = status.find("\nUmask:");
        if (at != std::string::npos)
            return static_cast<mode_t>(std::strtoul(status.c_str() + at + 7, nullptr, 8)) & 0777;
    }
    return 022;
}

// Writes through a symbolic link land in the file it points to.
std::string resolveTarget(const QString& file) {
    const QByteArray encoded = QFile::encodeName(file);
    std::string path(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    return path;
}

// Temporary files of writers that were killed before their rename. Only called
// under the folder lock, when no writer of ours can be using one.
void removeStaleTemps(int dirFd, const std::string& prefix) {
    const int dupFd = ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    if (dupFd < 0)
        return;
    DIR* dir = ::fdopendir(dupFd);
    if (!dir) {
        ::close(dupFd);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0 &&
            std::strlen(entry->d_name) == prefix.size() + 6)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

bool commitEdits(const QString& file, const std::vector<std::pair<QString, QString>>& names,
                 const std::vector<QString>& values) {
    if (names.empty())
        return true;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!IniText::isValidWrite(names[i].first, names[i].second, values[i]))
            return false;

    const std::string target = resolveTarget(file);
    const auto slash = target.rfind('/');
    const std::string dirPath =
        slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return false;

    UniqueFd dirFd(::open(dirPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd.valid())
        return false;
    // Writers of this folder take turns, so that two read-modify-write cycles
    // (the executor saving a DPI level while the window applies) never lose an
    // update. Readers need no lock: they see the old or the new file whole.
    // A file system without flock still gets atomic replacement.
    while (::flock(dirFd.get(), LOCK_EX) != 0 && errno == EINTR) {
    }

    const std::string tempPrefix = "." + name + kTempInfix;
    removeStaleTemps(dirFd.get(), tempPrefix);

    std::string oldBytes;
    struct stat oldStat {};
    const ReadStatus status = readRegularFile(dirFd.get(), name.c_str(), oldBytes, oldStat);
    if (status == ReadStatus::Failed)
        return false; // never replace what could not be read
    const bool exists = status == ReadStatus::Ok;

    IniText text = exists ? IniText::fromBytes(oldBytes) : IniText();
    for (std::size_t i = 0; i < names.size(); ++i)
        text.set(names[i].first, names[i].second, values[i]);
    const std::string newBytes = text.toBytes();
    if (exists && newBytes == oldBytes)
        return true;

    std::string tempPath = dirPath + "/" + tempPrefix + "XXXXXX";
    UniqueFd tempFd(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (!tempFd.valid())
        return false;
    const std::string tempName = tempPath.substr(tempPath.rfind('/') + 1);

    bool ok = writeAll(tempFd.get(), newBytes);
    const mode_t mode = exists ? (oldStat.st_mode & 07777) : (0666 & ~currentUmask());
    ok = ok && ::fchmod(tempFd.get(), mode) == 0;
    if (ok && exists && (oldStat.st_uid != ::geteuid() || oldStat.st_gid != ::getegid())) {
        // Keeps the owner when root edits a user's file; a user cannot give
        // files away, and the file then simply becomes theirs.
        [[maybe_unused]] const int ignored = ::fchown(tempFd.get(), oldStat.st_uid, oldStat.st_gid);
    }
    ok = ok && ::fsync(tempFd.get()) == 0;
    ok = tempFd.reset() && ok;
    ok = ok && ::renameat(dirFd.get(), tempName.c_str(), dirFd.get(), name.c_str()) == 0;
    if (!ok) {
        ::unlinkat(dirFd.get(), tempName.c_str(), 0);
        return false;
    }
    // Makes the rename itself durable; some file systems cannot sync a folder,
    // and the new file is in place either way.
    ::fsync(dirFd.get());
    return true;
}

QString readFrom(const IniText& text, const QString& section, const QString& key, int bufferSize) {
    if (bufferSize <= 1)
        return {};
    std::optional<QString> value = text.find(section, key);
    if (!value)
        return {};
    value->truncate(bufferSize - 1);
    return *value;
}

std::unique_ptr<IniText> readText(const QString& file) {
    std::string bytes;
    struct stat st {};
    const QByteArray path = QFile::encodeName(file);
    if (readRegularFile(AT_FDCWD, path.constData(), bytes, st) != ReadStatus::Ok)
        return nullptr;
    return std::make_unique<IniText>(IniText::fromBytes(std::move(bytes)));
}

} // namespace

QString readString(const QString& file, const QString& section, const QString& key,
                   int bufferSize) {
    if (bufferSize <= 1)
        return {};
    const std::unique_ptr<IniText> text = readText(file);
    return text ? readFrom(*text, section, key, bufferSize) : QString();
}

FileSnapshot::FileSnapshot(const QString& file) : text_(readText(file)) {}

FileSnapshot::~FileSnapshot() = default;

QString FileSnapshot::readString(const QString& section, const QString& key, int bufferSize) const {
    return text_ ? readFrom(*text_, section, key, bufferSize) : QString();
}

bool writeString(const QString& file, const QString& section, const QString& key,
                 const QString& value) {
    return commitEdits(file, {{section, key}}, {value});
}

void WriteBatch::set(const QString& section, const QString& key, const QString& value) {
    entries_.push_back({section, key, value});
}

bool WriteBatch::commit(const QString& file) const {
    std::vector<std::pair<QString, QString>> names;
    std::vector<QString> values;
    names.reserve(entries_.size());
    values.reserve(entries_.size());
    for (const Entry& e : entries_) {
        names.emplace_back(e.section, e.key);
        values.push_back(e.value);
    }
    return commitEdits(file, names, values);
}

int wtoi(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto isSpace = [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    while (i < n && isSpace(text[i].unicode()))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulated as a negative number, whose range includes INT_MIN.
    long long value = 0;
    bool saturated = false;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (saturated)
            continue;
        value = value * 10 - (text[i].unicode() - u'0');
        if (value < static_cast<long long>(INT_MIN))
            saturated = true;
    }
    if (saturated)
        return negative ? INT_MIN : INT_MAX;
    if (negative)
        return static_cast<int>(value);
    return -value > INT_MAX ? INT_MAX : static_cast<int>(-value);
}

} // namespace vux::ini
