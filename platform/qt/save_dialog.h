#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

namespace yurana::qt {

// The PNG bytes of an image, as every picture the program saves is written.
QByteArray pngBytes(const QImage& image);

// Asks the user where to save a file.
class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // The chosen path, or empty when cancelled. `name`: the file name offered.
    virtual QString ask(QWidget* parent, const QString& title, const QString& name,
                        const QString& filter) = 0;
};

// Qt's file dialog, in the user's documents folder the first time, then in the folder
// last saved to during this run.
class QtSaveDialog : public SaveDialog {
  public:
    QString ask(QWidget* parent, const QString& title, const QString& name,
                const QString& filter) override;

  private:
    QString lastFolder_;
};

}  // namespace yurana::qt
