#include "app/application.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>

#include "app/program_setup.h"
#include "panel/control_names.h"
#include "panel/messages.h"
#include "platform/qt/qt_message_box.h"
#include "storage/slot_folder.h"

namespace yurana::app {

namespace {

// One pass per display frame.
int frameIntervalMs() {
    QScreen* screen = QGuiApplication::primaryScreen();
    double hz = screen != nullptr ? screen->refreshRate() : 60.0;
    if (hz < 30.0 || hz > 240.0) {
        hz = 60.0;
    }
    return std::max(1, static_cast<int>(1000.0 / hz));
}

std::string orDataFolder(const QString& folder) {
    return (folder.isEmpty() ? programDataFolder() : folder).toStdString();
}

}  // namespace

Application::Application(Options options)
    : box_(options.box), frame_(std::make_unique<MainWindow>()), runLoop_(options.runLoop) {
    if (box_ == nullptr) {
        ownBox_ = std::make_unique<qt::QtMessageBox>(frame_.get());
        box_ = ownBox_.get();
    }
    createWindows();
    createGeometry();
    host_ = std::make_unique<WindowHost>(
        WindowHost::Windows{*frame_, *form0_, form0Window_, form1Window_, form3Window_},
        options.fullScreen.show);
    createSession(options);
    createMenus(options);
    connectWindows();
    connectHistory();
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
    form0_ = new Form0;
    form0Window_ = addChild(form0_);
    form3_ = new Form3;
    form3Window_ = addChild(form3_);
    for (QMdiSubWindow* sub : {form0Window_, form1Window_, form3Window_}) {
        sub->adjustSize();
    }
}

void Application::createGeometry() {
    frameGeometry_ = std::make_unique<FrameGeometry>(frame_->mdi());
    form0Geometry_ =
        std::make_unique<qt::QtWindowGeometry>(form0Window_, form0_, qt::UnitScale{1, 1});
    form1Geometry_ = std::make_unique<qt::QtWindowGeometry>(form1Window_, form1_, qt::kPanelUnits);
    form3Geometry_ =
        std::make_unique<qt::QtWindowGeometry>(form3Window_, form3_, qt::UnitScale{1, 1});
    vscroll1_ = std::make_unique<qt::QtScrollBar>(
        qobject_cast<QScrollBar*>(form1_->control(ctl::VScroll1)));
    hscroll1_ = std::make_unique<qt::QtScrollBar>(
        qobject_cast<QScrollBar*>(form1_->control(ctl::HScroll1)));
    windows_ = std::make_unique<TiledWindows>(TiledWindows{*frameGeometry_, *form0Geometry_,
                                                           *form1Geometry_, *form3Geometry_,
                                                           *vscroll1_, *hscroll1_});

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
}

void Application::createSession(const Options& options) {
    const QString programFolder =
        options.folder.isEmpty() ? QCoreApplication::applicationDirPath() : options.folder;
    const Form2Options& full = options.fullScreen;
    session_ = std::make_unique<Session>(SessionParts{
        .panel = *panel_,
        .box = *box_,
        .clock = options.clock != nullptr ? *options.clock : steadyClock_,
        .files = files_,
        .slotFolder = slotFolder(files_, programFolder.toStdString(), userFolders()),
        .surfaces = surfaces_,
        .bitmapFolder = orDataFolder(options.folder),
        .fullScreenSurfaces = full.factory != nullptr ? *full.factory : surfaces_,
        .fullScreenFolder = orDataFolder(full.folder),
        .animation = *form0_->picture(),
        .plot = form3_->plot(),
        .summary = form3_->picture1()->picture(),
        .windows = *windows_,
        .content = content_,
        .host = *host_,
    });
    signals_ = std::make_unique<SessionSignals>(*session_);
    form0_->picture()->setScene(&session_->scene());
}

void Application::createMenus(const Options& options) {
    Launcher& launcher = options.launcher != nullptr ? *options.launcher : ownLauncher_;
    about_ = new FrmAbout(*box_, registry_, launcher, frame_.get());
    analysis_ =
        std::make_unique<AnalysisViews>(frame_.get(), frame_->menuBar(), files_, *box_, *signals_);
    qt::SaveDialog& dialog = options.saveDialog != nullptr ? *options.saveDialog : ownDialog_;
    measuredFiles_ = std::make_unique<MeasuredFiles>(files_, *box_, frame_.get(), *analysis_);
    exports_ = std::make_unique<Exports>(
        Exports::Parts{*panel_, session_->record(), session_->run(), *box_, files_, launcher,
                       dialog, frame_.get(), *form0_, *form3_, [this] { measuredFiles_->open(); }});
    menus_ = new FrameMenus(frame_->menuBar(), form1_, *exports_);
    settings_ =
        options.settingsFile.isEmpty()
            ? std::make_unique<QSettings>(QStringLiteral("yurana"), QStringLiteral("yurana"))
            : std::make_unique<QSettings>(options.settingsFile, QSettings::IniFormat);
    chartScale_ = new ChartScaleMenu(
        frame_.get(), frame_->menuBar()->findChild<QMenu*>(QStringLiteral("ViewMenu")), *settings_);
    examples_ = std::make_unique<ExampleMenu>(frame_->menuBar(), form1_);
}

void Application::connectWindows() {
    Session& s = *session_;
    for (const ControlDef& c : panelControls()) {
        if (c.action != PanelAction::None) {
            auto* button = qobject_cast<QPushButton*>(form1_->control(std::string(c.name).c_str()));
            connect(button, &QPushButton::clicked, this, [&s, &c] { s.perform(c.action, c.slot); });
        }
    }
    panel_->setChangeHandler([&s](std::string_view c) { s.textChanged(c); });
    connect(panel_.get(), &qt::QtPanel::showRequested, form1Window_, &QWidget::show);
    connect(hscroll1_->bar(), &QScrollBar::valueChanged, this, [&s] { s.hscroll1Changed(); });
    connect(vscroll1_->bar(), &QScrollBar::valueChanged, this, [&s] { s.vscroll1Changed(); });
    connect(form0_, &Form0::repaint, this, [&s] { s.animationRepaint(); });
    connect(form0_, &Form0::resized, this, [&s] { s.animationResized(); });
    connect(form3_, &Form3::summaryRepaint, this, [&s] { s.summaryRepaint(); });
    connect(host_.get(), &WindowHost::fullScreenOpened, this, [&s](Form2* view) {
        connect(view, &Form2::leaveRequested, view, [&s] { s.fullScreenClicked(); });
        connect(view, &ScenePicture::systemRepaint, view, [&s] { s.fullScreenRepaint(); });
    });
    connect(host_.get(), &WindowHost::aboutRequested, about_, &FrmAbout::showModeless);
    connect(about_, &FrmAbout::closing, this, [&s] { s.aboutClosed(); });
    connect(host_.get(), &WindowHost::quitRequested, this, &Application::end);
    connect(examples_.get(), &ExampleMenu::chosen, this,
            [&s](const Example& e) { s.loadExample(e); });
    connect(frame_.get(), &MainWindow::resized, this, [&s] { s.frameResized(); });
    connect(frame_.get(), &MainWindow::unloaded, this, &Application::end);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(frameIntervalMs());
    connect(&timer_, &QTimer::timeout, this, &Application::tick);
}

void Application::connectHistory() {
    Session& s = *session_;
    charts::TimeHistoryWindow* h = &analysis_->history();
    using W = charts::TimeHistoryWindow;
    connect(h, &W::timeRequested, this, [&s](double t) { s.setTime(t); });
    connect(h, &W::framesRequested, this, [&s](int n) { s.stepFrames(n); });
    connect(h, &W::extremumRequested, this, [&s](int d) { s.stepExtremum(d); });
    connect(h, &W::endRequested, this, [&s](bool tmax) { s.setTimeToEnd(tmax); });
    connect(h, &W::badTime, this, [this] { box_->show(kMsgBadValue); });
    connect(&analysis_->damping(), &charts::DampingWindow::sendRequested, this,
            [&s](std::optional<double> m, double k, double c) { s.loadIdentified(m, k, c); });
    static constexpr std::array<const char*, 5> kBoxes = {
        ctl::Checkheni, ctl::Checkxc, ctl::Checkxp, ctl::Checkxcxp, ctl::Checkkabeheni};
    auto follow = [this, h] {
        std::array<bool, 5> shown{};
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            shown[i] = panel_->value(kBoxes[i]) != 0;
        }
        h->setShownCurves(shown);
    };
    for (const char* name : kBoxes) {
        connect(qobject_cast<QCheckBox*>(form1_->control(name)), &QCheckBox::toggled, this, follow);
    }
    follow();
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && qobject_cast<QMdiSubWindow*>(watched) != nullptr) {
        event->ignore();
        return true;
    }
    if (watched == form0Window_ && event->type() == QEvent::Resize && session_ != nullptr) {
        session_->form0Resized();
    }
    return QObject::eventFilter(watched, event);
}

void Application::Main() {
    // The client area under the menu bar gets the design size from the frame's layout.
    frame_->sizeToDesign();
    frame_->layout()->activate();
    session_->Main();
    if (runLoop_) {
        timer_.start();
    }
}

void Application::tick() {
    if (ended_ || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    session_->pass();
}

void Application::end() {
    ended_ = true;
    timer_.stop();
    QCoreApplication::exit(0);
}

}  // namespace yurana::app
