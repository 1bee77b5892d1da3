#include "platform/posix_files.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>

#include <filesystem>

#include "unit/temp_folder.h"

namespace yurana {
namespace {

using Reason = file_error::Reason;
using test::readBytes;
using test::writeBytes;

constexpr std::size_t kMax = 128 * 1024;

std::string toCp932(const std::string& utf8) {
    iconv_t cd = ::iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* src = const_cast<char*>(utf8.data());
    std::size_t srcLeft = utf8.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t rc = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    ::iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("not representable in CP932");
    }
    out.resize(out.size() - dstLeft);
    return out;
}

// The reason a call fails with; fails the test when it does not throw.
template <typename Call>
Reason reasonOf(Call call) {
    try {
        call();
    } catch (const file_error& e) {
        return e.reason();
    }
    ADD_FAILURE() << "no file_error";
    return Reason::Io;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    return names;
}

class PosixFilesTest : public ::testing::Test {
  protected:
    std::vector<std::string> read(const std::string& bytes, std::size_t count = 25,
                                  std::size_t max = kMax) {
        writeBytes(file, bytes);
        return files.readLines(file, count, max);
    }

    test::TempFolder dir;
    std::string file = dir.file("t.txt");
    PosixFiles files;
};

TEST_F(PosixFilesTest, CrLfLoneCrAndLoneLfEachEndALine) {
    using V = std::vector<std::string>;
    EXPECT_EQ(read("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(read("a\r\n\r\n\rb\r\n"), (V{"a", "", "", "b"}));
    EXPECT_EQ(read("a\n\rb"), (V{"a", "", "b"}));  // LF CR is two line ends
    EXPECT_EQ(read(""), V{});
    EXPECT_EQ(read("\r\n"), V{""});
    EXPECT_EQ(read(" x \t\r\n", 1), V{" x \t"});
    EXPECT_EQ(read("1\r\n2\r\n3\r\n4\r\n", 2), (V{"1", "2"}));
}

TEST_F(PosixFilesTest, CrLfSplitAcrossReadsIsOneLineEnd) {
    // The reader takes 64 KiB at a time: put CR as the last byte of the first piece.
    std::string first(64 * 1024 - 1, 'x');
    auto lines = read(first + "\r\ny\r\nz");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], "y");
    EXPECT_EQ(lines[2], "z");
    // A CR that ends the file ends its last line.
    EXPECT_EQ(read(first + "\r"), std::vector<std::string>{first});
}

TEST_F(PosixFilesTest, WritesUtf8WithCrLfAndReadsItBack) {
    std::vector<std::string> lines = {" 1000 ", "", "***", "減衰比ζ", "a\tb"};
    files.writeLines(file, lines, kMax);
    EXPECT_EQ(readBytes(file), " 1000 \r\n\r\n***\r\n減衰比ζ\r\na\tb\r\n");
    EXPECT_EQ(files.readLines(file, 25, kMax), lines);
    files.writeLines(file, {"x"}, kMax);  // the whole content is replaced
    EXPECT_EQ(readBytes(file), "x\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"t.txt"});
}

TEST_F(PosixFilesTest, ReplacingKeepsTheOldFilesPermissions) {
    writeBytes(file, "old\r\n");
    ::chmod(file.c_str(), 0640);
    files.writeLines(file, {"new"}, kMax);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(PosixFilesTest, RefusesLinesThatWouldNotReadBackAndWritesNothing) {
    writeBytes(file, "old\r\n");
    auto write = [&](std::vector<std::string> lines) {
        return reasonOf([&] { files.writeLines(file, lines, 8); });
    };
    EXPECT_EQ(write({"ok", "a\nb"}), Reason::LineBreakInText);
    EXPECT_EQ(write({"a\rb"}), Reason::LineBreakInText);
    EXPECT_EQ(write({std::string("a\0b", 3)}), Reason::LineBreakInText);
    EXPECT_EQ(write({"\x1b[0m"}), Reason::LineBreakInText);
    EXPECT_EQ(write({"\x83\x41"}), Reason::BadEncoding);  // not UTF-8
    EXPECT_EQ(write({"123456789"}), Reason::LineTooLong);
    try {
        files.writeLines(file, {"ok", "ok", "\n"}, 8);
    } catch (const file_error& e) {
        EXPECT_EQ(e.line(), 3);
    }
    EXPECT_EQ(readBytes(file), "old\r\n");
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"t.txt"});
}

TEST_F(PosixFilesTest, ShiftJisFilesAreDecoded) {
    std::string text = "減衰比ζ\r\n***\r\nﾊﾞｰｼﾞｮﾝ情報\r\n１～２\r\n";
    auto lines = read(toCp932(text));
    EXPECT_EQ(lines, (std::vector<std::string>{"減衰比ζ", "***", "ﾊﾞｰｼﾞｮﾝ情報", "１～２"}));
}

TEST_F(PosixFilesTest, Utf8ByteOrderMarkIsDropped) {
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "1000\r\n2\r\n"),
              (std::vector<std::string>{"1000", "2"}));
}

TEST_F(PosixFilesTest, BinaryAndUndecodableFilesAreRefusedWithTheLine) {
    writeBytes(file, std::string("1\r\n2\r\n\x89PNG\0\0\x1a", 12));
    try {
        files.readLines(file, 25, kMax);
        ADD_FAILURE();
    } catch (const file_error& e) {
        EXPECT_EQ(e.reason(), Reason::Binary);
        EXPECT_EQ(e.line(), 3);
    }
    // 0x81 is a Shift-JIS lead byte; a blank cannot follow it. Neither encoding fits.
    EXPECT_EQ(reasonOf([&] { read("ok\r\n\x81 x\r\n"); }), Reason::BadEncoding);
}

TEST_F(PosixFilesTest, WhatIsNotATextFileIsRefused) {
    EXPECT_EQ(reasonOf([&] { files.readLines(dir.file("none.txt"), 25, kMax); }), Reason::NotFound);
    EXPECT_EQ(reasonOf([&] { files.readLines(dir.path(), 25, kMax); }), Reason::IsFolder);
    std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Refused at once, without waiting for a writer.
    EXPECT_EQ(reasonOf([&] { files.readLines(fifo, 25, kMax); }), Reason::NotRegular);
    EXPECT_EQ(reasonOf([&] { files.writeLines(fifo, {"x"}, kMax); }), Reason::NotRegular);
}

TEST_F(PosixFilesTest, HugeFilesAreNeverReadWhole) {
    constexpr off_t k100MB = 100LL * 1024 * 1024;
    constexpr long long kBound = 1024 * 1024;  // what the reader may take at most

    // 200 KiB of digits with no line end, then a hole up to 100 MB.
    writeBytes(file, std::string(200 * 1024, '7'));
    test::extendSparse(file, k100MB);
    long long before = test::bytesReadByProcess();
    EXPECT_EQ(reasonOf([&] { files.readLines(file, 25, kMax); }), Reason::LineTooLong);
    EXPECT_LT(test::bytesReadByProcess() - before, kBound);

    // Nothing but a hole: zero bytes.
    writeBytes(file, "");
    test::extendSparse(file, k100MB);
    before = test::bytesReadByProcess();
    EXPECT_EQ(reasonOf([&] { files.readLines(file, 25, kMax); }), Reason::Binary);
    EXPECT_LT(test::bytesReadByProcess() - before, kBound);

    // Good lines first: they are all that is read.
    std::string head;
    for (int i = 1; i <= 25; ++i) {
        head += std::to_string(i) + "\r\n";
    }
    writeBytes(file, head);
    test::extendSparse(file, k100MB);
    before = test::bytesReadByProcess();
    auto lines = files.readLines(file, 25, kMax);
    EXPECT_LT(test::bytesReadByProcess() - before, kBound);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[24], "25");
}

}  // namespace
}  // namespace yurana
