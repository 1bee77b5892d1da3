#pragma once

#include <QMainWindow>
#include <QMdiArea>

namespace yurana::app {

// The frame window MDIForm1 ("ユラナ"): a menu bar over a QMdiArea holding the child
// windows. The top-level windows it owns open in cascade over its client area, never
// over its menu bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    QMdiArea* mdi() const { return mdi_; }

    // Sizes the frame so that its client area under the menu bar has the design size;
    // call once the menus are in place.
    void sizeToDesign();

    // The design client area, 14385 × 10260 twips, in pixels.
    static QSize designClientSize();

  signals:
    void resized();
    void unloaded();  // the frame was closed: the program ends

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // An owned window about to be shown: the first time at its place in the cascade,
    // and in any case off the menu bar and within the screen.
    void place(QWidget* window);

    QMdiArea* mdi_;
    int cascaded_ = 0;  // owned windows placed so far
};

}  // namespace yurana::app
