#pragma once

// A program folder of the test's own: the six bitmaps copied from beside the test
// program, one of them missing or spoilt when asked, and room for slot files.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace yurana::test {

enum class Bitmap {
    Present,
    Missing,
    Corrupt,    // "BM" and a size, then bytes that are no bitmap
    Truncated,  // cut short inside its header (30 of 54 bytes)
    CutPixels,  // cut to half its length, inside the pixel data
    Empty,
    Png,  // the picture saved as PNG under the .bmp name
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
        if (odd == nullptr || how == Bitmap::Present) {
            return;
        }
        QFile::remove(dir.filePath(odd));
        QFile original(programFile(odd)), f(dir.filePath(odd));
        if (how == Bitmap::Png) {
            QImage(programFile(odd), "BMP").save(dir.filePath(odd), "PNG");
        } else if (how != Bitmap::Missing && original.open(QIODevice::ReadOnly) &&
                   f.open(QIODevice::WriteOnly)) {
            f.write(how == Bitmap::Corrupt     ? QByteArray("BM\x10\0\0\0not a bitmap at all", 26)
                    : how == Bitmap::Truncated ? original.read(30)
                    : how == Bitmap::CutPixels ? original.read(original.size() / 2)
                                               : QByteArray());
        }
    }

    QString path() const { return dir.path(); }

    // Puts the program's own copy of `name` in place.
    void restore(const char* name) {
        QFile::remove(dir.filePath(name));
        QFile::copy(programFile(name), dir.filePath(name));
    }

    static QString programFile(const char* name) {
        return QCoreApplication::applicationDirPath() + "/" + name;
    }
};

}  // namespace yurana::test
