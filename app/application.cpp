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
#include "platform/qt/qt_message_box.h"

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
      folder_(options.folder.isEmpty() ? QCoreApplication::applicationDirPath() : options.folder),
      frame_(std::make_unique<MainWindow>()),
      fullScreenOptions_(std::move(options.fullScreen)),
      runLoop_(options.runLoop) {
    if (box_ == nullptr) {
        ownBox_ = std::make_unique<qt::QtMessageBox>(frame_.get());
        box_ = ownBox_.get();
    }
    createWindows();
    createLayout();
    connectPanel();
    loop_ = std::make_unique<MainLoop>(run_, record_, step_, *panel_, loopHooks());
    frame_->onResize = [this] { frameResized(flags_); };
    frame_->onUnload = [this] { end(); };
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
    panel_ = std::make_unique<qt::QtPanel>(form1_, [this] { form1Window_->show(); });
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
    slots_ = std::make_unique<Slots>(*panel_, run_, *box_, files_, folder_.toStdString());
    about_ = new FrmAbout(*panel_, run_, *box_, registry_, launcher_, frame_.get());
    controls_ = std::make_unique<RunControls>(*panel_, run_, record_, *parameters_, *clock_, *box_,
                                              runControlHooks());
}

void Application::createLayout() {
    frameGeometry_ = std::make_unique<FrameGeometry>(frame_->mdi());
    form0Geometry_ =
        std::make_unique<qt::QtWindowGeometry>(form0Window_, form0_, qt::UnitScale{1, 1});
    form1Geometry_ = std::make_unique<qt::QtWindowGeometry>(form1Window_, form1_, qt::kPanelUnits);
    form3Geometry_ =
        std::make_unique<qt::QtWindowGeometry>(form3Window_, form3_, qt::UnitScale{1, 1});
    auto* vbar = qobject_cast<QScrollBar*>(form1_->control("VScroll1"));
    auto* hbar = qobject_cast<QScrollBar*>(form1_->control("HScroll1"));
    vscroll1_ = std::make_unique<qt::QtScrollBar>(vbar);
    hscroll1_ = std::make_unique<qt::QtScrollBar>(hbar);
    windows_ = std::make_unique<Windows>(Windows{*frameGeometry_, *form0Geometry_, *form1Geometry_,
                                                 *form3Geometry_, *vscroll1_, *hscroll1_});

    const ControlDef* line = findControl("Line2");
    line2_ = std::make_unique<qt::QtLine>(form1_->control("Line2"), line->left, line->top,
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

    LayoutHooks hooks;
    hooks.graph_haikei = [this] { form3_->graph_haikei(); };
    hooks.sizePicture1 = [this](double w, double h) {
        form0_->picture()->resize(num::nint(w), num::nint(h));
    };
    layout_ = std::make_unique<Layout>(Layout{*windows_, content_, tables_, flags_, hooks});

    connect(hbar, &QScrollBar::valueChanged, this,
            [this] { hscroll1Changed(*hscroll1_, content_, tables_); });
    connect(vbar, &QScrollBar::valueChanged, this,
            [this] { vscroll1Changed(*vscroll1_, content_, tables_); });
    form0Window_->installEventFilter(this);
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
    auto click = [this](const char* name, auto handler) {
        auto* button = qobject_cast<QPushButton*>(form1_->control(name));
        connect(button, &QPushButton::clicked, this, [handler] { guarded(handler); });
    };
    click("Command_keisan", [this] { parameters_->Command_keisan_Click(); });
    click("Command2", [this] { controls_->Command2_Click(); });
    click("Command6", [this] { controls_->Command6_Click(); });
    click("Command3", [this] { controls_->Command3_Click(); });
    click("Command5", [this] { controls_->Command5_Click(); });
    click("Command4", [this] { controls_->Command4_Click(); });
    click("Command1", [this] { controls_->Command1_Click(); });
    click("cmdtest", [this] { controls_->cmdtest_Click(); });
    for (int i = 0; i < 5; ++i) {
        std::string save = "Cmd_Save" + std::to_string(i);
        std::string load = "Cmd_Load" + std::to_string(i);
        click(save.c_str(), [this, i] { slots_->hozon(i); });
        click(load.c_str(), [this, i] { slots_->yomikomi(i); });
    }
}

RunControlHooks Application::runControlHooks() {
    RunControlHooks h;
    h.resetPen = [this] { graph::resetPen(pen_); };
    h.graphHaikei = [this] { form3_->graph_haikei(); };
    h.clearGraph = [this] { form3_->clear(); };
    h.quit = [this] { end(); };
    h.processEvents = [this] { processEvents(); };
    h.showAbout = [this] { about_->showModeless(); };
    h.enterFullScreen = [this] { showForm2(); };
    return h;
}

LoopHooks Application::loopHooks() {
    LoopHooks h;
    h.layoutPending = [this] { return flags_.saihaichi == kTrue; };
    h.haichi = [this] { haichi(*layout_); };
    h.unloadForm2 = [this] { unloadForm2(); };
    h.showForm2 = [this] { showForm2(); };
    h.unloadForm0 = [this] { unloadForm0(); };
    h.blt = [this] { form0_->blt(); };
    h.plotStep = [this](double t, const std::function<void()>& between) {
        form3_->plotStep(t, step_, between);
    };
    return h;
}

void Application::Main() {
    panel_->setVisible("Command3", false);
    form1Window_->hide();
    // The frame's client area gets its size from the frame's layout.
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

void Application::arrangeInitAndShow() {
    arrangeWindows();
    if (run_.joutai == kJoutaiEmpty) {
        run_.joutai = kStopped;
    }
    initForm0();
    step_.xpix = 0;
    showAll();
    // The arrangement just made is the one that counts: a layout request left by a
    // failed pass must not fail the next pass again.
    flags_.saihaichi = kFalse;
}

void Application::arrangeWindows() {
    // A second failure in a row is the same failure: go on with what there is rather
    // than asking forever.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            arrange(*windows_, flags_);
            // A freshly loaded form0 is resized by the arrangement and so re-tiles through
            // its resize handling; the window kept here may already have that size, so run
            // the handling in any case: the windows must end up tiled.
            form0Resized(*layout_);
            return;
        } catch (const calc_error&) {
            reportFailure();
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

void Application::reportFailure() {
    box_->show(kMsgBadRun);
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
    retired_.reset();
    inPass_ = true;
    if (form0Loaded_) {
        try {
            loop_->pass();
        } catch (const calc_error&) {
            reportFailure();
            arrangeInitAndShow();
        }
    } else if (form2_ != nullptr) {
        fullScreenPass();
    }
    inPass_ = false;
}

FullScreenHooks Application::fullScreenHooks() {
    FullScreenHooks h;
    h.showWindows = [this] {
        form0Window_->show();
        form1Window_->show();
    };
    h.reloadForm0 = [this] {
        form0_->unload();
        form0Load();
    };
    h.unload = [this] { unloadForm2(); };
    return h;
}

void Application::showForm2() {
    if (form2_ != nullptr) {
        return;  // already loaded and shown
    }
    form2_ = std::make_unique<Form2>(FullScreenInputs{run_, record_, *panel_, *clock_},
                                     fullScreenHooks(), frame_->screen(), fullScreenOptions_);
    try {
        form2_->load();
    } catch (const bitmap_error& e) {
        form2_->leave();
        box_->show(bitmapFailedText(e.file()));
    } catch (const calc_error&) {
        // No full screen: straight back to the animation window, running.
        form2_->leave();
    }
}

void Application::unloadForm0() {
    if (form2_ == nullptr || !form0Loaded_) {
        return;  // the hand-over needs the view up
    }
    form0_->unload();
    form0Window_->hide();
    form0Loaded_ = false;
}

void Application::unloadForm2() {
    if (form2_ == nullptr) {
        return;
    }
    form2_->hide();
    retired_ = std::move(form2_);
}

void Application::fullScreenPass() {
    try {
        form2_->pass();
    } catch (const calc_error&) {
        // A frame that fails (a magnification that is no number, an overflow) ends full
        // screen; the animation window's loop then reports it if it persists.
        form2_->leave();
    }
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
