#include "app/application.h"

#include <QApplication>
#include <QPushButton>

#include "app/units.h"
#include "platform/qt/qt_message_box.h"

namespace yurana::app {

namespace {
// Design client area of the graph window, twips (640 × 252 pixels).
constexpr int kGraphWidthTwips = 9600;
constexpr int kGraphHeightTwips = 3780;
}  // namespace

Application::Application(MessageBox* box) : frame_(std::make_unique<MainWindow>()) {
    if (box == nullptr) {
        ownBox_ = std::make_unique<qt::QtMessageBox>(frame_.get());
        box = ownBox_.get();
    }
    box_ = box;

    form1_ = new Form1;
    form1Window_ = frame_->mdi()->addSubWindow(form1_);
    form1Window_->setWindowTitle(form1_->windowTitle());
    form1Window_->setObjectName("Form1Window");
    form1Window_->adjustSize();

    panel_ = std::make_unique<qt::QtPanel>(form1_, [this] { form1Window_->show(); });
    parameters_ = std::make_unique<ParameterPanel>(*panel_, record_, run_, *box_,
                                                   [this] { return graphSize(); });
    panel_->setChangeHandler([this](std::string_view c) { parameters_->textChanged(c); });
    connectPanel();
    frame_->onUnload = [] { QApplication::exit(0); };
}

Application::~Application() {
    // The panel's change handler refers to the logic: silence it before teardown.
    panel_->setChangeHandler(nullptr);
}

void Application::show() {
    frame_->show();
    form1Window_->show();
}

void Application::connectPanel() {
    auto* keisan = qobject_cast<QPushButton*>(form1_->control("Command_keisan"));
    QObject::connect(keisan, &QPushButton::clicked, keisan,
                     [this] { parameters_->Command_keisan_Click(); });
}

GraphSize Application::graphSize() const {
    return {static_cast<float>(units::twipsToPx(kGraphWidthTwips)),
            static_cast<float>(units::twipsToPx(kGraphHeightTwips))};
}

}  // namespace yurana::app
