#pragma once

// A program folder of the test's own: the six bitmaps copied from beside the test
// program, with one of them missing or spoilt when asked, and room for slot files.

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace yurana::test {

enum class Bitmap { Present, Missing, Corrupt };

struct ProgramFolder {
    static constexpr const char* kBitmaps[] = {"back1.bmp", "m3.bmp", "kabe.bmp",
                                               "bou.bmp",   "k.bmp",  "kabeoku.bmp"};
    QTemporaryDir dir;

    // `odd`'s file is missing or holds bytes that are no bitmap.
    explicit ProgramFolder(const char* odd = nullptr, Bitmap how = Bitmap::Present) {
        for (const char* name : kBitmaps) {
            const bool isOdd = odd != nullptr && QByteArray(odd) == name;
            if (isOdd && how == Bitmap::Missing) {
                continue;
            }
            if (isOdd && how == Bitmap::Corrupt) {
                QFile f(dir.filePath(name));
                f.open(QIODevice::WriteOnly);
                f.write("BM\x10\0\0\0not a bitmap at all", 26);
                continue;
            }
            QFile::copy(QCoreApplication::applicationDirPath() + "/" + name, dir.filePath(name));
        }
    }

    QString path() const { return dir.path(); }

    // Puts the program's own copy of `name` in place.
    void restore(const char* name) {
        QFile::remove(dir.filePath(name));
        QFile::copy(QCoreApplication::applicationDirPath() + "/" + name, dir.filePath(name));
    }
};

}  // namespace yurana::test
