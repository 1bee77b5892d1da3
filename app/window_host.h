#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "app/form0.h"
#include "app/form2.h"
#include "app/main_window.h"
#include "session/session_host.h"

namespace yurana::app {

// What the session asks of the windows: the frame and its three tiled children shown and
// hidden, form0's picture sized, the full-screen view Form2 made, shown, hidden and
// unloaded (it may unload from inside its own handlers, so it is deleted later), the
// About window, the end, and pending events let run.
class WindowHost : public QObject, public SessionHost {
    Q_OBJECT
  public:
    struct Windows {
        MainWindow& frame;
        Form0& form0;
        QMdiSubWindow* form0Window;
        QMdiSubWindow* form1Window;
        QMdiSubWindow* form3Window;
    };
    WindowHost(Windows windows, std::function<void(QWidget&, QScreen*)> showFullScreen);
    ~WindowHost() override;

    void setShown(ProgramWindow window, bool shown) override;
    void sizePicture1(double width, double height) override;
    FramePresenter& openFullScreen() override;
    void showFullScreen(const Scene& scene) override;
    void hideFullScreen() override;
    void closeFullScreen() override;
    void showAbout() override { emit aboutRequested(); }
    void quit() override { emit quitRequested(); }
    void processEvents() override;

    Form2* form2() const { return form2_.get(); }  // null unless the view is loaded

  signals:
    // Form2 made: its clicks and repaints go to the session.
    void fullScreenOpened(Form2* view);
    void aboutRequested();
    void quitRequested();

  private:
    Windows w_;
    std::function<void(QWidget&, QScreen*)> show_;
    std::unique_ptr<Form2> form2_;
    std::vector<QPointer<Form2>> retired_;  // unloaded, their deletion pending
};

}  // namespace yurana::app
