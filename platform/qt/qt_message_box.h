#pragma once

#include <QWidget>

#include "platform/message_box.h"

namespace yurana::qt {

// A modal QMessageBox with the text as its label and an OK button only.
class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void show(std::string_view text, std::string_view title = {}) override;

  private:
    QWidget* parent_;
};

}  // namespace yurana::qt
