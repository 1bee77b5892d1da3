#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

#include "platform/qt/text.h"

namespace yurana::qt {

void QtMessageBox::show(std::string_view text, std::string_view title) {
    // Without a title of its own a box carries the program's name, as the original did.
    QString caption = title.empty() ? QStringLiteral("ユラナ") : toQ(title);
    QMessageBox box(QMessageBox::NoIcon, caption, toQ(text), QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace yurana::qt
