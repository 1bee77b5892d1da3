#include "app/application.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>

#include "app/units.h"
#include "layout/arrange.h"
#include "model/calc_error.h"
#include "panel/control_names.h"
#include "platform/qt/qt_message_box.h"
#include "storage/slot_folder.h"

namespace yurana::app {

namespace {

// Runs a handler; a failure the system names no handler for ends the handler quietly
// instead of reaching the event loop.
template <typename F>
void guarded(F f) {
    try {
        f();
    } catch (const calc_error&) {
    }
}

// One pass per display frame.
int frameIntervalMs() {
    QScreen* screen = QGuiApplication::primaryScreen();
    double hz = screen != nullptr ? screen->refreshRate() : 60.0;
    if (hz < 30.0 || hz > 240.0) {
        hz = 60.0;
    }
    return std::max(1, static_cast<int>(1000.0 / hz));
}

}  // namespace

Application::Application(Options options)
    : clock_(options.clock != nullptr ? options.clock : &steadyClock_),
      box_(options.box),
      folder_(options.folder),
      launcher_(options.launcher != nullptr ? options.launcher : &ownLauncher_),
      frame_(std::make_unique<MainWindow>()),
      dialog_(options.saveDialog != nullptr ? options.saveDialog : &ownDialog_),
      fullScreenOptions_(std::move(options.fullScreen)),
      runLoop_(options.runLoop) {
    if (box_ == nullptr) {
        ownBox_ = std::make_unique<qt::QtMessageBox>(frame_.get());
        box_ = ownBox_.get();
    }
    createWindows();
    createLayout();
    connectPanel();
    fullScreen_ = std::make_unique<FullScreenSession>(
        FullScreenInputs{run_, record_, *panel_, *clock_},
        static_cast<FullScreenSession::Host&>(*this), std::move(fullScreenOptions_));
    analysis_ = std::make_unique<AnalysisViews>(frame_.get(), frame_->menuBar(), files_, *box_);
    exports_ =
        std::make_unique<Exports>(Exports::Parts{*panel_, record_, run_, *box_, files_, *launcher_,
                                                 *dialog_, frame_.get(), *form0_, *form3_});
    menus_ = new FrameMenus(frame_->menuBar(), form1_, *exports_);
    examples_ = std::make_unique<ExampleMenu>(frame_->menuBar(), form1_);
    connect(examples_.get(), &ExampleMenu::chosen, this,
            [this](const Example& e) { guarded([&] { loadExample(e); }); });
    loop_ =
        std::make_unique<MainLoop>(run_, record_, step_, *panel_, static_cast<LoopWindows&>(*this));
    connect(frame_.get(), &MainWindow::resized, this, [this] { frameResized(flags_); });
    connect(frame_.get(), &MainWindow::unloaded, this, &Application::end);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(frameIntervalMs());
    connect(&timer_, &QTimer::timeout, this, &Application::tick);
}

Application::~Application() {
    timer_.stop();
    panel_->setChangeHandler(nullptr);
    form0Window_->removeEventFilter(this);
}

QMdiSubWindow* Application::addChild(QWidget* widget) {
    QMdiSubWindow* sub = frame_->mdi()->addSubWindow(
        widget, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    sub->setWindowTitle(widget->windowTitle());
    sub->setObjectName(widget->objectName() + "Window");
    // The child windows live as long as the frame: closing one (Ctrl+F4) is ignored.
    sub->installEventFilter(this);
    sub->hide();
    return sub;
}

void Application::createWindows() {
    form1_ = new Form1;
    form1Window_ = addChild(form1_);
    panel_ = std::make_unique<qt::QtPanel>(form1_);
    connect(panel_.get(), &qt::QtPanel::showRequested, form1Window_, &QWidget::show);
    parameters_ = std::make_unique<ParameterPanel>(*panel_, record_, run_, *box_, [this] {
        QSize size = form3_->clientSize();
        return GraphSize{static_cast<float>(size.width()), static_cast<float>(size.height())};
    });
    panel_->setChangeHandler([this](std::string_view c) { parameters_->textChanged(c); });

    form0_ = new Form0(SceneInputs{step_, run_, record_, *clock_}, folder_);
    form0Window_ = addChild(form0_);
    form3_ = new Form3(*panel_, record_, pen_);
    form3Window_ = addChild(form3_);
    for (QMdiSubWindow* sub : {form0Window_, form1Window_, form3Window_}) {
        sub->adjustSize();
    }
    const QString programFolder =
        folder_.isEmpty() ? QCoreApplication::applicationDirPath() : folder_;
    slots_ =
        std::make_unique<Slots>(*panel_, run_, *box_, files_,
                                slotFolder(files_, programFolder.toStdString(), userFolders()));
    about_ = new FrmAbout(*panel_, run_, *box_, registry_, *launcher_, frame_.get());
    controls_ = std::make_unique<RunControls>(*panel_, run_, record_, *parameters_, *clock_, *box_,
                                              static_cast<RunWindows&>(*this));
}

void Application::createLayout() {
    frameGeometry_ = std::make_unique<FrameGeometry>(frame_->mdi());
    form0Geometry_ =
        std::make_unique<qt::QtWindowGeometry>(form0Window_, form0_, qt::UnitScale{1, 1});
    form1Geometry_ = std::make_unique<qt::QtWindowGeometry>(form1Window_, form1_, qt::kPanelUnits);
    form3Geometry_ =
        std::make_unique<qt::QtWindowGeometry>(form3Window_, form3_, qt::UnitScale{1, 1});
    auto* vbar = qobject_cast<QScrollBar*>(form1_->control(ctl::VScroll1));
    auto* hbar = qobject_cast<QScrollBar*>(form1_->control(ctl::HScroll1));
    vscroll1_ = std::make_unique<qt::QtScrollBar>(vbar);
    hscroll1_ = std::make_unique<qt::QtScrollBar>(hbar);
    windows_ = std::make_unique<Windows>(Windows{*frameGeometry_, *form0Geometry_, *form1Geometry_,
                                                 *form3Geometry_, *vscroll1_, *hscroll1_});

    const ControlDef* line = findControl(ctl::Line2);
    line2_ = std::make_unique<qt::QtLine>(form1_->control(ctl::Line2), line->left, line->top,
                                          line->width, line->height);
    content_ = makePanelContent(
        [this](std::string_view name) -> Geometry* {
            QWidget* w = form1_->control(std::string(name).c_str());
            if (w == nullptr) {
                return nullptr;
            }
            controlGeometry_.push_back(std::make_unique<qt::QtGeometry>(w, qt::kPanelUnits));
            return controlGeometry_.back().get();
        },
        line2_.get());

    layout_ = std::make_unique<Layout>(
        Layout{*windows_, content_, tables_, flags_, static_cast<OtherWindows&>(*this)});

    connect(hbar, &QScrollBar::valueChanged, this,
            [this] { hscroll1Changed(*hscroll1_, content_, tables_); });
    connect(vbar, &QScrollBar::valueChanged, this,
            [this] { vscroll1Changed(*vscroll1_, content_, tables_); });
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && qobject_cast<QMdiSubWindow*>(watched) != nullptr) {
        event->ignore();
        return true;
    }
    if (watched == form0Window_ && event->type() == QEvent::Resize && layout_ != nullptr) {
        form0Resized(*layout_);
    }
    return QObject::eventFilter(watched, event);
}

void Application::connectPanel() {
    for (const ControlDef& c : panelControls()) {
        if (c.action != PanelAction::None) {
            auto* button = qobject_cast<QPushButton*>(form1_->control(std::string(c.name).c_str()));
            connect(button, &QPushButton::clicked, this,
                    [this, &c] { guarded([&] { perform(c.action, c.slot); }); });
        }
    }
}

void Application::perform(PanelAction action, int slot) {
    // No default: a new action the compiler sees unhandled here (-Wswitch).
    switch (action) {
        case PanelAction::None:
            return;
        case PanelAction::Calculate:
            return parameters_->calculate();
        case PanelAction::StartStop:
            return controls_->startStop();
        case PanelAction::Pause:
            return controls_->pause();
        case PanelAction::Clear:
            return controls_->clear();
        case PanelAction::ApplyChanges:
            return controls_->applyChanges();
        case PanelAction::Quit:
            return controls_->quit();
        case PanelAction::EnterFullScreen:
            return controls_->enterFullScreen();
        case PanelAction::OpenAbout:
            return controls_->openAbout();
        case PanelAction::LoadSlot:
            return slots_->yomikomi(slot);
        case PanelAction::SaveSlot:
            return slots_->hozon(slot);
    }
}

void Application::loadExample(const Example& e) {
    applyExample(e, *panel_, run_, *parameters_);
    resetPen();
    graph_haikei();
}

void Application::resetPen() {
    graph::resetPen(pen_);
}

void Application::graph_haikei() {
    form3_->graph_haikei();
}

void Application::clearGraph() {
    form3_->clear();
}

void Application::showAbout() {
    about_->showModeless();
}

void Application::haichi() {
    yurana::haichi(*layout_);
}

void Application::blt() {
    form0_->blt();
}

void Application::plotStep(double t, const std::function<void()>& between) {
    form3_->plotStep(t, step_, between);
}

void Application::sizePicture1(double width, double height) {
    form0_->picture()->resize(num::nint(width), num::nint(height));
}

void Application::Main() {
    panel_->setVisible(ctl::Command3, false);
    form1Window_->hide();
    // The client area under the menu bar gets the design size from the frame's layout.
    frame_->sizeToDesign();
    frame_->layout()->activate();
    form0Load();
}

void Application::form0Load() {
    form0Window_->hide();
    form1Window_->hide();
    form3Window_->hide();
    arrangeInitAndShow();
    form0Loaded_ = true;
    if (runLoop_) {
        timer_.start();
    }
}

void Application::arrangeInitAndShow(bool told) {
    arrangeWindows(told);
    if (run_.joutai == kJoutaiEmpty) {
        run_.joutai = kStopped;
    }
    initForm0();
    step_.xpix = 0;
    showAll();
    // The arrangement just made is the one that counts: a layout request left by a
    // failed pass must not fail the next pass again.
    flags_.saihaichi = false;
}

void Application::arrangeWindows(bool told) {
    // A second failure in a row is the same failure: go on with what there is rather
    // than asking forever, and tell the user once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            arrange(*windows_, flags_);
            // A freshly loaded form0 is resized by the arrangement and so re-tiles through
            // its resize handling; the window kept here may already have that size, so run
            // the handling in any case: the windows must end up tiled.
            form0Resized(*layout_);
            return;
        } catch (const calc_error&) {
            reportFailure(!told);
            told = true;
        }
    }
}

void Application::initForm0() {
    try {
        form0_->init();
    } catch (const bitmap_error& e) {
        // Reported once, by name; the picture stays empty and the rest works. The next
        // load of the animation window tries again.
        box_->show(bitmapFailedText(e.file()));
    }
}

void Application::reportFailure(bool tell) {
    if (tell) {
        box_->show(kMsgBadRun);
    }
    record_.tmin = 0;
    run_.joutai = kStopped;
}

void Application::showAll() {
    form0Window_->show();
    form1Window_->show();
    form3Window_->show();
    frame_->show();
}

void Application::tick() {
    if (ended_ || nested_ > 0 || inPass_ || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    inPass_ = true;
    if (form0Loaded_) {
        try {
            loop_->pass();
        } catch (const calc_error&) {
            reportFailure();
            arrangeInitAndShow(true);
        }
    } else {
        fullScreen_->pass();
    }
    analysis_->follow(record_, run_, parameters_->recomputed() ? nullptr : panel_.get());
    inPass_ = false;
}

void Application::showWindows() {
    form0Window_->show();
    form1Window_->show();
}

void Application::reloadForm0() {
    form0_->unload();
    form0Load();
}

void Application::unloadForm0() {
    if (form2() == nullptr || !form0Loaded_) {
        return;  // the hand-over needs the view up
    }
    form0_->unload();
    form0Window_->hide();
    form0Loaded_ = false;
}

void Application::processEvents() {
    ++nested_;
    QCoreApplication::processEvents();
    --nested_;
}

void Application::end() {
    ended_ = true;
    timer_.stop();
    QCoreApplication::exit(0);
}

}  // namespace yurana::app
