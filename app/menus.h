#pragma once

#include <QAction>
#include <QMenuBar>
#include <QObject>

#include "panel/panel_controls.h"

namespace yurana::app {

// What the ファイル menu's items do; the program carries them out.
class ExportCommands {
  public:
    virtual ~ExportCommands() = default;
    virtual void exportCurves() = 0;
    virtual void exportGraph() = 0;
    virtual void exportAnimation() = 0;
    // 測定データを開く: a measured free decay or frequency response.
    virtual void openMeasuredData() = 0;
    // 使い方: the user guide in the default browser.
    virtual void openGuide() = 0;
};

// The frame's ファイル menu (first) and ヘルプ menu (last). 終了 and バージョン情報 click the
// panel's own buttons, so they do exactly what those do, and are enabled exactly when
// those buttons are (not while the About window is open). The frame's shortcuts work
// from the panel's text boxes too, whose own keys they otherwise leave alone.
class FrameMenus : public QObject {
    Q_OBJECT
  public:
    // `panel`: the parameter panel holding the buttons of 終了 and about.
    FrameMenus(QMenuBar* menus, QWidget* panel, ExportCommands& commands);

    QMenu* fileMenu() const { return file_; }
    QMenu* helpMenu() const { return help_; }
    QAction* openDataAction() const { return openData_; }
    QAction* curvesAction() const { return curves_; }
    QAction* graphAction() const { return graph_; }
    QAction* animationAction() const { return animation_; }
    QAction* quitAction() const { return quit_; }
    QAction* aboutAction() const { return about_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // An item that clicks the panel's button doing `does` and is enabled when it is.
    QAction* mirror(QMenu* menu, const QString& caption, QWidget* panel, PanelAction does);
    // An enabled item of the menu bar has `keys` as its shortcut.
    bool isFrameShortcut(const QKeySequence& keys) const;

    QMenuBar* bar_;

    QMenu* file_ = nullptr;
    QMenu* help_ = nullptr;
    QAction* openData_ = nullptr;
    QAction* curves_ = nullptr;
    QAction* graph_ = nullptr;
    QAction* animation_ = nullptr;
    QAction* quit_ = nullptr;
    QAction* about_ = nullptr;
};

}  // namespace yurana::app
