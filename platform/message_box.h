#pragma once

#include <string_view>

namespace yurana {

// A modal message box with an OK button only.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(std::string_view text, std::string_view title = {}) = 0;
};

}  // namespace yurana
