#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace yurana {

// Bytes a read of the file asks for at a time.
inline constexpr std::size_t kReadPiece = 64 * 1024;

// What readLines makes of a file holding `bytes`, without the file: the first `count`
// lines, split, checked and decoded the same way, the bytes taken `piece` at a time as
// successive reads would deliver them. Errors name `path`.
std::vector<std::string> decodeLines(std::string_view bytes, std::size_t count,
                                     std::size_t maxLineBytes, const std::string& path,
                                     std::size_t piece = kReadPiece);

// The bytes writeLines puts in the file for `lines`, after the same checks.
std::string encodeLines(const std::vector<std::string>& lines, std::size_t maxLineBytes,
                        const std::string& path);

// Files on a POSIX file system: open/read/write/fsync/rename, and glibc iconv for
// Shift-JIS. A slot file that carries no write permission bit at all is treated as
// read-only also for a privileged user, as the read-only attribute is elsewhere.
class PosixFiles : public Files {
  public:
    std::vector<std::string> readLines(const std::string& path, std::size_t count,
                                       std::size_t maxLineBytes) override;
    void writeLines(const std::string& path, const std::vector<std::string>& lines,
                    std::size_t maxLineBytes) override;
    void writeText(const std::string& path, std::string_view text) override;
    bool canCreateFiles(const std::string& folder) override;
    void makeFolders(const std::string& folder) override;
};

}  // namespace yurana
