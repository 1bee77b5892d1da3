#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace yurana {

// The parameter panel Form1 as a set of named controls (Textk, Labelcc, Check1,
// Command2, ...). A text box's text and a label's, button's or check box's caption
// are both read and written as text. Writing a text box's text raises its change
// notification synchronously, inside the write, like any edit by the user.
class Panel {
  public:
    using ChangeHandler = std::function<void(std::string_view control)>;

    virtual ~Panel() = default;

    virtual std::string text(std::string_view control) const = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    // Check box value: 0 unchecked, 1 checked, 2 grayed.
    virtual int value(std::string_view control) const = 0;
    virtual void setValue(std::string_view control, int value) = 0;
    virtual bool isVisible(std::string_view control) const = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;
    virtual bool isEnabled(std::string_view control) const = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    // Makes the panel window itself visible.
    virtual void showPanel() = 0;

    // A pass of the main loop: a text box written between these shows only its last
    // value, at endPass, while reads and change notifications follow every write at once.
    // A box written twice per pass (Texttest) is then not repainted for a value nobody sees.
    virtual void beginPass() {}
    virtual void endPass() {}

    void setChangeHandler(ChangeHandler handler) { onChange_ = std::move(handler); }

  protected:
    void notifyChange(std::string_view control) {
        if (onChange_) {
            onChange_(control);
        }
    }

  private:
    ChangeHandler onChange_;
};

}  // namespace yurana
