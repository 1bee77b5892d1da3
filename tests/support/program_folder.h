#pragma once

// A program folder of the test's own: the six bitmaps copied from beside the test
// program, with one of them missing or spoilt when asked, and room for slot files.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace yurana::test {

// How a bitmap file is there: as shipped, missing, or spoilt in one of these ways.
enum class Bitmap {
    Present,
    Missing,
    Corrupt,    // "BM" and a size, then bytes that are no bitmap
    Truncated,  // the program's file cut short inside its header (30 of 54 bytes)
    CutPixels,  // the program's file cut to half its length, inside the pixel data
    Empty,      // zero bytes long
    Png,        // the program's picture saved as PNG under the .bmp name
};

struct ProgramFolder {
    static constexpr const char* kBitmaps[] = {"back1.bmp", "m3.bmp", "kabe.bmp",
                                               "bou.bmp",   "k.bmp",  "kabeoku.bmp"};
    QTemporaryDir dir;

    // `odd`'s file is missing or spoilt as `how` says.
    explicit ProgramFolder(const char* odd = nullptr, Bitmap how = Bitmap::Present) {
        for (const char* name : kBitmaps) {
            restore(name);
        }
        if (odd != nullptr) {
            spoil(odd, how);
        }
    }

    QString path() const { return dir.path(); }

    // Puts the program's own copy of `name` in place.
    void restore(const char* name) {
        QFile::remove(dir.filePath(name));
        QFile::copy(programFile(name), dir.filePath(name));
    }

    // Replaces `name` by a file damaged as `how` says (Present: the program's own copy).
    void spoil(const char* name, Bitmap how) {
        restore(name);
        if (how == Bitmap::Present) {
            return;
        }
        QFile::remove(dir.filePath(name));
        QFile original(programFile(name));
        original.open(QIODevice::ReadOnly);
        QFile f(dir.filePath(name));
        if (how == Bitmap::Png) {
            QImage(programFile(name), "BMP").save(dir.filePath(name), "PNG");
        } else if (how != Bitmap::Missing && f.open(QIODevice::WriteOnly)) {
            f.write(how == Bitmap::Corrupt     ? QByteArray("BM\x10\0\0\0not a bitmap at all", 26)
                    : how == Bitmap::Truncated ? original.read(30)
                    : how == Bitmap::CutPixels ? original.read(original.size() / 2)
                                               : QByteArray());
        }
    }

  private:
    static QString programFile(const char* name) {
        return QCoreApplication::applicationDirPath() + "/" + name;
    }
};

}  // namespace yurana::test
