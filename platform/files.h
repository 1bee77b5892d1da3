#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yurana {

// A file operation that could not be done, with the reason, the path it concerns
// (the file, or the folder that could not take a new file) and, for a line of text,
// its 1-based number. `detail` is the system's own wording, when there is one.
class file_error : public std::runtime_error {
  public:
    enum class Reason {
        NotFound,           // the file, or a folder on its path, does not exist
        IsFolder,           // the path names a folder, not a file
        NotRegular,         // a device, pipe or socket
        AccessDenied,       // no permission for the file
        ReadOnlyFile,       // the file to replace carries no write permission at all
        FolderNotWritable,  // no new file can be created in the folder
        NoSpace,            // the disk or the quota is full
        Binary,             // a control character: not a text file
        BadEncoding,        // neither UTF-8 nor Shift-JIS (reading); not UTF-8 (writing)
        LineTooLong,        // a line longer than the caller allows
        LineBreakInText,    // a line to write holds a line break or a control character
        Io,                 // any other failure of the system
    };

    file_error(Reason reason, std::string path, int line = 0, std::string detail = {})
        : std::runtime_error(path + ": " + detail),
          reason_(reason),
          path_(std::move(path)),
          line_(line),
          detail_(std::move(detail)) {}

    Reason reason() const { return reason_; }
    const std::string& path() const { return path_; }
    int line() const { return line_; }
    const std::string& detail() const { return detail_; }

  private:
    Reason reason_;
    std::string path_;
    int line_;
    std::string detail_;
};

// Small text files of lines. Written in UTF-8 with CR LF after every line. Read as
// UTF-8 when the bytes are valid UTF-8, otherwise as Shift-JIS (CP932); CR LF, a lone
// CR and a lone LF each end a line. A text line holds no control character but TAB.
class Files {
  public:
    virtual ~Files() = default;

    // The first `count` lines of the file, in UTF-8, without their line ends; fewer
    // when the file ends first (a last line without a line end counts). Reads no
    // further than needed: a line still without an end after `maxLineBytes` bytes is
    // refused at once (LineTooLong), so a huge file is never read whole.
    virtual std::vector<std::string> readLines(const std::string& path, std::size_t count,
                                               std::size_t maxLineBytes) = 0;

    // Replaces the file with `lines` (UTF-8), each followed by CR LF. The text goes to
    // a temporary file beside it, is flushed to disk and renamed over the file, so on
    // any failure the earlier file is left as it was. A line that could not be read
    // back as written (line break, control character, invalid UTF-8, longer than
    // `maxLineBytes`) is refused before anything is written.
    virtual void writeLines(const std::string& path, const std::vector<std::string>& lines,
                            std::size_t maxLineBytes) = 0;

    // Replaces the file with exactly `text`, by the same temporary file and rename.
    virtual void writeText(const std::string& path, std::string_view text) = 0;

    // Whether a new file can be made in `folder` now (tried, not guessed from modes).
    virtual bool canCreateFiles(const std::string& folder) = 0;

    // Makes `folder` and the folders above it that are missing.
    virtual void makeFolders(const std::string& folder) = 0;
};

}  // namespace yurana
