#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

namespace yurana::qt {

void QtMessageBox::show(std::string_view text, std::string_view title) {
    // Without a title of its own a box carries the program's name, as the original did.
    QString caption = title.empty() ? QStringLiteral("ユラナ")
                                    : QString::fromUtf8(title.data(), qsizetype(title.size()));
    QMessageBox box(QMessageBox::NoIcon, caption,
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok,
                    parent_);
    box.exec();
}

}  // namespace yurana::qt
