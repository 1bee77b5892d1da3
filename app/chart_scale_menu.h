#pragma once

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QWidget>

namespace yurana::app {

// The 表示 menu's 文字を大きく (Ctrl++), 文字を小さく (Ctrl+-) and 標準の大きさ (Ctrl+0): the
// size of every chart window owned by the frame (not of the tiled windows), in steps of
// 25 % from 75 % to 300 %, remembered in the settings between runs.
class ChartScaleMenu : public QObject {
    Q_OBJECT
  public:
    ChartScaleMenu(QWidget* frame, QMenu* view, QSettings& settings);

    int percent() const { return percent_; }
    QAction* largerAction() const { return larger_; }
    QAction* smallerAction() const { return smaller_; }
    QAction* designAction() const { return design_; }

  private:
    void set(int percent);
    // Every chart window of the frame at the scale; again after a button of one was used,
    // since a chart may then have new axes or curves at their designed size.
    void applyAll();
    void follow(QWidget* window);

    QWidget* frame_;
    QSettings& settings_;
    int percent_;
    QAction* larger_;
    QAction* smaller_;
    QAction* design_;
};

}  // namespace yurana::app
