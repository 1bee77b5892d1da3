#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>
#include <system_error>

namespace yurana {

namespace {

using Reason = file_error::Reason;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string errnoText(int e) {
    return std::system_category().message(e);
}

// Owns a file descriptor.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&&) = delete;
    int get() const { return fd_; }

  private:
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int fd_;
};

Reason openReason(int e) {
    switch (e) {
        case ENOENT:
        case ENOTDIR:
            return Reason::NotFound;
        case EACCES:
        case EPERM:
            return Reason::AccessDenied;
        case EISDIR:
            return Reason::IsFolder;
        default:
            return Reason::Io;
    }
}

// A byte no text line holds: the C0 controls but TAB, and DEL. Both encodings keep
// these bytes out of their multibyte characters, so the raw bytes can be tested.
bool isControlByte(unsigned char b) {
    return (b < 0x20 && b != '\t') || b == 0x7F;
}

bool hasControlByte(std::string_view s) {
    for (char c : s) {
        if (isControlByte(static_cast<unsigned char>(c))) {
            return true;
        }
    }
    return false;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + len > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0u) != 0x80u) {
                return false;
            }
            cp = (cp << 6) | (t & 0x3Fu);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
            return false;
        }
        i += len;
    }
    return true;
}

// One line from Shift-JIS (CP932) to UTF-8; nothing when the bytes are not CP932.
std::optional<std::string> cp932ToUtf8(std::string_view in, const std::string& path) {
    iconv_t cd = ::iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw file_error(Reason::Io, path, 0,
                         "no Shift-JIS (CP932) converter: " + errnoText(errno));
    }
    // A CP932 character of one or two bytes becomes at most three bytes of UTF-8.
    std::string out(in.size() * 3 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t rc = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (rc != static_cast<std::size_t>(-1)) {
        rc = ::iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    }
    ::iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || srcLeft != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - dstLeft);
    return out;
}

// UTF-8 when every line is valid UTF-8 (a leading byte-order mark dropped),
// otherwise CP932 line by line.
std::vector<std::string> decodeRawLines(std::vector<std::string> raw, const std::string& path) {
    bool utf8 = true;
    for (const std::string& line : raw) {
        utf8 = utf8 && isValidUtf8(line);
    }
    if (utf8) {
        if (!raw.empty() && raw.front().starts_with(kUtf8Bom)) {
            raw.front().erase(0, kUtf8Bom.size());
        }
        return raw;
    }
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::optional<std::string> line = cp932ToUtf8(raw[i], path);
        if (!line) {
            throw file_error(Reason::BadEncoding, path, static_cast<int>(i + 1));
        }
        raw[i] = std::move(*line);
    }
    return raw;
}

Fd openForReading(const std::string& path) {
    // O_NONBLOCK: opening a pipe must not wait for a writer; it is refused below.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        int e = errno;
        throw file_error(openReason(e), path, 0, errnoText(e));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        int e = errno;
        throw file_error(Reason::Io, path, 0, errnoText(e));
    }
    if (S_ISDIR(st.st_mode)) {
        throw file_error(Reason::IsFolder, path);
    }
    if (!S_ISREG(st.st_mode)) {
        throw file_error(Reason::NotRegular, path);
    }
    return fd;
}

// Appends up to one chunk to `buf`; false at the end of the file.
bool readChunk(const Fd& fd, std::string& buf, const std::string& path) {
    std::size_t old = buf.size();
    buf.resize(old + kReadPiece);
    ssize_t n = 0;
    do {
        n = ::read(fd.get(), buf.data() + old, kReadPiece);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        int e = errno;
        buf.resize(old);
        throw file_error(e == EISDIR ? Reason::IsFolder : Reason::Io, path, 0, errnoText(e));
    }
    buf.resize(old + static_cast<std::size_t>(n));
    return n > 0;
}

// The bytes of one line, complete or still growing: refused when binary or too long.
void checkLine(std::string_view bytes, int line, std::size_t maxLineBytes,
               const std::string& path) {
    if (hasControlByte(bytes)) {
        throw file_error(Reason::Binary, path, line);
    }
    if (bytes.size() > maxLineBytes) {
        throw file_error(Reason::LineTooLong, path, line);
    }
}

// Splits the head of the file into its first `count` lines, asking `readMore` for the
// next piece of the file (appended to its argument; false at the end) only when the
// lines so far do not settle it.
template <typename ReadMore>
std::vector<std::string> readRawLines(ReadMore&& readMore, std::size_t count,
                                      std::size_t maxLineBytes, const std::string& path) {
    std::vector<std::string> lines;
    std::string buf;
    std::size_t start = 0;  // first byte of the current line
    std::size_t scan = 0;   // where to look for its end
    bool eof = false;
    while (lines.size() < count) {
        std::size_t end = buf.find_first_of("\r\n", scan);
        std::size_t stop = end == std::string::npos ? buf.size() : end;
        int number = static_cast<int>(lines.size() + 1);
        checkLine(std::string_view(buf).substr(start, stop - start), number, maxLineBytes, path);
        // Without an end in sight, or with a CR that a LF may follow, read on.
        bool openEnd = end == std::string::npos || (buf[end] == '\r' && end + 1 == buf.size());
        if (openEnd && !eof) {
            scan = stop;
            eof = !readMore(buf);
            continue;
        }
        if (end == std::string::npos) {
            if (start < buf.size()) {
                lines.push_back(buf.substr(start));
            }
            break;
        }
        lines.push_back(buf.substr(start, end - start));
        std::size_t next = end + 1;
        if (buf[end] == '\r' && next < buf.size() && buf[next] == '\n') {
            ++next;
        }
        start = scan = next;
    }
    return lines;
}

// The folder part of a path ("." when there is none) and the name part.
std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void checkWritableLines(const std::vector<std::string>& lines, std::size_t maxLineBytes,
                        const std::string& path) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int number = static_cast<int>(i + 1);
        if (hasControlByte(lines[i])) {
            throw file_error(Reason::LineBreakInText, path, number);
        }
        if (!isValidUtf8(lines[i])) {
            throw file_error(Reason::BadEncoding, path, number);
        }
        if (lines[i].size() > maxLineBytes) {
            throw file_error(Reason::LineTooLong, path, number);
        }
    }
}

// The permission bits to give the new file: the old file's, when there is one.
// Refuses a target that cannot or must not be replaced.
std::optional<mode_t> checkReplaceable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;  // a new file; a missing folder shows when creating it
    }
    if (S_ISDIR(st.st_mode)) {
        throw file_error(Reason::IsFolder, path);
    }
    if (!S_ISREG(st.st_mode)) {
        throw file_error(Reason::NotRegular, path);
    }
    if ((st.st_mode & 0222) == 0) {
        throw file_error(Reason::ReadOnlyFile, path);
    }
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        int e = errno;
        throw file_error(e == EROFS ? Reason::FolderNotWritable : Reason::AccessDenied, path, 0,
                         errnoText(e));
    }
    return st.st_mode & 07777;
}

// A new temporary file beside the target, removed again unless kept.
class TempFile {
  public:
    explicit TempFile(const std::string& target) {
        std::string base = folderOf(target) + "/." + nameOf(target) + ".tmp" +
                           std::to_string(::getpid()) + "-" + std::to_string(std::time(nullptr)) +
                           "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base + std::to_string(attempt);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST) {
                break;
            }
        }
        if (fd_ < 0) {
            int e = errno;
            Reason r = (e == ENOSPC || e == EDQUOT) ? Reason::NoSpace : Reason::FolderNotWritable;
            throw file_error(r, folderOf(target), 0, errnoText(e));
        }
    }
    ~TempFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!kept_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int close() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }
    void keep() { kept_ = true; }

  private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

// Blocks SIGXFSZ for this thread while writing, so that a file size limit fails
// the write with EFBIG instead of ending the program, and drops the signal after.
class FileSizeSignalGuard {
  public:
    FileSizeSignalGuard() {
        sigemptyset(&set_);
        sigaddset(&set_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &set_, &old_);
    }
    ~FileSizeSignalGuard() {
        timespec zero{};
        while (sigtimedwait(&set_, nullptr, &zero) == SIGXFSZ) {
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    FileSizeSignalGuard(const FileSizeSignalGuard&) = delete;
    FileSizeSignalGuard& operator=(const FileSizeSignalGuard&) = delete;

  private:
    sigset_t set_{};
    sigset_t old_{};
};

[[noreturn]] void throwWriteError(int e, const std::string& path) {
    Reason r = (e == ENOSPC || e == EDQUOT) ? Reason::NoSpace : Reason::Io;
    throw file_error(r, path, 0, errnoText(e));
}

void writeAll(int fd, std::string_view text, const std::string& path) {
    FileSizeSignalGuard guard;
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throwWriteError(n < 0 ? errno : EIO, path);
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Makes the rename itself durable; the new file is already in place, so a failure
// here has nothing left to undo and is not reported.
void syncFolder(const std::string& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
}

}  // namespace

std::vector<std::string> PosixFiles::readLines(const std::string& path, std::size_t count,
                                               std::size_t maxLineBytes) {
    Fd fd = openForReading(path);
    auto readMore = [&](std::string& buf) { return readChunk(fd, buf, path); };
    return decodeRawLines(readRawLines(readMore, count, maxLineBytes, path), path);
}

std::vector<std::string> decodeLines(std::string_view bytes, std::size_t count,
                                     std::size_t maxLineBytes, const std::string& path,
                                     std::size_t piece) {
    piece = std::max<std::size_t>(piece, 1);
    auto readMore = [&](std::string& buf) {
        std::string_view next = bytes.substr(0, piece);
        bytes.remove_prefix(next.size());
        buf += next;
        return !next.empty();
    };
    return decodeRawLines(readRawLines(readMore, count, maxLineBytes, path), path);
}

std::string encodeLines(const std::vector<std::string>& lines, std::size_t maxLineBytes,
                        const std::string& path) {
    checkWritableLines(lines, maxLineBytes, path);
    std::string text;
    // Reading drops one byte-order mark from the start of the file; a first line that
    // itself begins with one gets another in front, so it reads back as written.
    if (!lines.empty() && lines.front().starts_with(kUtf8Bom)) {
        text += kUtf8Bom;
    }
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void PosixFiles::writeLines(const std::string& path, const std::vector<std::string>& lines,
                            std::size_t maxLineBytes) {
    writeText(path, encodeLines(lines, maxLineBytes, path));
}

void PosixFiles::writeText(const std::string& path, std::string_view text) {
    std::optional<mode_t> mode = checkReplaceable(path);

    TempFile temp(path);
    if (mode) {
        ::fchmod(temp.fd(), *mode);  // best effort: keep the old file's permissions
    }
    writeAll(temp.fd(), text, path);
    if (::fsync(temp.fd()) != 0 || temp.close() != 0) {
        throwWriteError(errno, path);
    }
    if (::rename(temp.path().c_str(), path.c_str()) != 0) {
        int e = errno;
        Reason r = e == EISDIR                                 ? Reason::IsFolder
                   : (e == EACCES || e == EPERM || e == EROFS) ? Reason::FolderNotWritable
                                                               : Reason::Io;
        throw file_error(r, r == Reason::FolderNotWritable ? folderOf(path) : path, 0,
                         errnoText(e));
    }
    temp.keep();
    syncFolder(folderOf(path));
}

bool PosixFiles::canCreateFiles(const std::string& folder) {
    // Permission bits say nothing for a privileged user or a read-only mount: try it.
    try {
        TempFile probe(folder + "/.probe");
    } catch (const file_error&) {
        return false;
    }
    return true;
}

void PosixFiles::makeFolders(const std::string& folder) {
    std::size_t end = 0;
    while (end != std::string::npos) {
        end = folder.find('/', end + 1);
        std::string part = folder.substr(0, end);
        struct stat st {};
        if (part.empty() || (::stat(part.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) {
            continue;
        }
        // Private to the user, as the base folders for user data are meant to be.
        if (::mkdir(part.c_str(), 0700) != 0) {
            int e = errno == EEXIST ? ENOTDIR : errno;  // a file of that name
            Reason r = e == ENOENT                  ? Reason::NotFound
                       : e == ENOSPC || e == EDQUOT ? Reason::NoSpace
                                                    : Reason::FolderNotWritable;
            throw file_error(r, part, 0, errnoText(e));
        }
    }
}

}  // namespace yurana
