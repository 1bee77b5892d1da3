#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "app/form0.h"
#include "app/form3.h"
#include "app/menus.h"
#include "model/record.h"
#include "model/run_state.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/message_box.h"
#include "platform/panel.h"
#include "platform/qt/save_dialog.h"

namespace yurana::app {

// The graph window as shown: the plot area with the summary panel, at its pixel size.
QImage graphImage(Form3& form3);

// The animation window's current frame at the scene's own size, 640 × 480, whatever the
// picture's size on screen.
QImage animationImage(Form0& form0);

// The ファイル menu's exports and the ヘルプ menu's guide: each asks for a file and saves
// it whole or not at all (temporary file, then rename).
class Exports : public ExportCommands {
  public:
    struct Parts {
        Panel& panel;
        const ModelRecord& record;
        const RunState& run;
        MessageBox& box;
        Files& files;
        Launcher& launcher;
        qt::SaveDialog& dialog;
        QWidget* parent;
        Form0& form0;
        Form3& form3;
        std::function<void()> openMeasuredData;
    };
    explicit Exports(Parts parts) : p_(parts) {}

    void exportCurves() override;
    void exportGraph() override;
    void exportAnimation() override;
    void openGuide() override;
    void openMeasuredData() override { p_.openMeasuredData(); }

  private:
    void saveImage(const QImage& image, const QString& title, const QString& name);

    Parts p_;
};

}  // namespace yurana::app
