#pragma once

#include "platform/files.h"

namespace yurana {

// Files on a POSIX file system: open/read/write/fsync/rename, and glibc iconv for
// Shift-JIS. A slot file that carries no write permission bit at all is treated as
// read-only also for a privileged user, as the read-only attribute is elsewhere.
class PosixFiles : public Files {
  public:
    std::vector<std::string> readLines(const std::string& path, std::size_t count,
                                       std::size_t maxLineBytes) override;
    void writeLines(const std::string& path, const std::vector<std::string>& lines,
                    std::size_t maxLineBytes) override;
};

}  // namespace yurana
