#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <functional>

namespace yurana::app {

// The frame window MDIForm1 ("ユラナ"): a QMdiArea holding the child windows.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    QMdiArea* mdi() const { return mdi_; }

    // The frame's resize and unload notifications.
    std::function<void()> onResize;
    std::function<void()> onUnload;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QMdiArea* mdi_;
};

}  // namespace yurana::app
