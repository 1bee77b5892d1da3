// The full-screen view: its composed back buffer, the letterboxed picture, the paint
// rule, leaving it, and the whole program entering and leaving it, also when its set-up
// or a frame fails.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>

#include "app/application.h"
#include "app/form2.h"
#include "model/calc_error.h"
#include "platform/qt/fonts.h"
#include "support/fake_panel.h"

using namespace yurana;

namespace {

// Qt surfaces that count how many of them are alive.
class CountedSurface : public qt::QtSurface {
  public:
    CountedSurface(const QImage& image, int& live) : QtSurface(image), live_(live) { ++live_; }
    ~CountedSurface() override { --live_; }

  private:
    int& live_;
};

class CountingFactory : public SurfaceFactory {
  public:
    std::unique_ptr<Surface> load(const std::string& path) override {
        return counted(qt_.load(path));
    }
    std::unique_ptr<Surface> load(const std::string& path, int w, int h) override {
        return counted(qt_.load(path, w, h));
    }
    int live = 0;

  private:
    std::unique_ptr<Surface> counted(std::unique_ptr<Surface> s) {
        return std::make_unique<CountedSurface>(static_cast<qt::QtSurface&>(*s).image(), live);
    }
    qt::QtSurfaceFactory qt_;
};

const char* const kSprites[] = {"m3.bmp", "kabe.bmp", "bou.bmp", "k.bmp", "kabeoku.bmp"};

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

void saveBitmap(const QString& path, const QImage& image) {
    QVERIFY(image.save(path, "BMP"));
}

QImage solid(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Plain colours for every piece, so that each pixel tells which piece lies on top.
const QColor kBack(220, 220, 220), kWall(200, 0, 0), kRod(0, 160, 0), kSpring(0, 0, 200),
    kMass(200, 200, 0), kFarSide(0, 200, 200);

void writeSolidScene(const QString& dir) {
    saveBitmap(dir + "/back1.bmp", solid(640, 480, kBack));
    saveBitmap(dir + "/kabe.bmp", solid(640, 144, kWall));
    saveBitmap(dir + "/bou.bmp", solid(6, 48, kRod));
    saveBitmap(dir + "/k.bmp", solid(64, 40, kSpring));
    saveBitmap(dir + "/m3.bmp", solid(200, 200, kMass));
    saveBitmap(dir + "/kabeoku.bmp", solid(640, 48, kFarSide));
}

// The program's five sprites beside a background of its own.
void writeSceneWithBackground(const QString& dir, const QImage& background) {
    for (const char* name : kSprites) {
        QVERIFY(QFile::copy(programFolder() + "/" + name, dir + "/" + name));
    }
    saveBitmap(dir + "/back1.bmp", background);
}

// The design defaults of the model, as the recompute sequence leaves them.
ModelRecord defaults() {
    ModelRecord r;
    r.m = 1;
    r.k = 1000;
    r.c = 1;
    r.z = 0.0158f;
    r.wn = 31.6228f;
    r.wd = 31.6189f;
    r.f = 3;
    r.w = 2;
    r.kabem = 1000;
    r.c1 = 0.05;
    r.jikanbairitu = 1;
    return r;
}

QColor bufferPixel(const app::Form2& form, int x, int y) {
    return static_cast<const qt::QtSurface*>(form.view().scene().canvas())
        ->image()
        .pixelColor(x, y);
}

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           24;
}

// The view alone, shown at a given size, with recording hooks.
struct View {
    RunState run{kFullScreen};
    ModelRecord record = defaults();
    test::FakePanel panel;
    test::ManualClock clock;
    QString log;
    std::unique_ptr<app::Form2> form;

    explicit View(const QString& folder, QSize size = {640, 480}) {
        panel.setValue("Check1", 1);
        FullScreenHooks h;
        h.showWindows = [this] { log += "windows;"; };
        h.reloadForm0 = [this] { log += QString("form0 %1;").arg(run.joutai); };
        h.unload = [this] { log += "unload;"; };
        app::Form2Options o;
        o.folder = folder;
        o.show = [size](QWidget& w, QScreen*) {
            w.resize(size);
            w.show();
        };
        form = std::make_unique<app::Form2>(FullScreenInputs{run, record, panel, clock}, h, nullptr,
                                            o);
    }
};

// The whole program with a hand-driven clock and loop.
struct Program {
    test::RecordingMessageBox box;
    test::ManualClock clock;
    CountingFactory surfaces;
    std::unique_ptr<app::Application> app;

    explicit Program(app::Form2Options fullScreen = {}) {
        app::Application::Options o;
        o.box = &box;
        o.clock = &clock;
        o.runLoop = false;
        o.folder = programFolder();
        o.fullScreen = std::move(fullScreen);
        if (o.fullScreen.factory == nullptr) {
            o.fullScreen.factory = &surfaces;
        }
        clock.t = 100;
        app = std::make_unique<app::Application>(o);
        app->Main();
        app->tick();
    }
    void click(const char* name) {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(app->form1().control(name)),
                          Qt::LeftButton);
    }
    void type(const char* name, const char* text) {
        auto* edit = qobject_cast<QLineEdit*>(app->form1().control(name));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    std::string text(const char* name) { return app->panel().text(name); }
    int joutai() { return app->run().joutai; }
    QString shown() { return app->form2()->textLine(); }

    // FullScreen, then the loop's hand-over pass.
    void enter() {
        click("Command4");
        QVERIFY(app->form2() != nullptr);
        QVERIFY(app->form2()->isVisible());
        app->tick();
        QVERIFY(!app->form0Loaded());
        QVERIFY(!app->form0Window()->isVisible());
    }
    // Back in the animation window, running.
    void checkRunningInTheWindow() {
        QCOMPARE(joutai(), int(kRunning));
        QCOMPARE(text("Command2"), std::string("停止"));
        QVERIFY(app->form2() == nullptr);
        QVERIFY(app->form0Loaded());
        QVERIFY(app->form0Window()->isVisible());
        QVERIFY(app->form1Window()->isVisible());
        app->tick();
        QVERIFY(app->form0().textLine().contains(QStringLiteral("秒2")));
        QCOMPARE(visibleViews(), 0);
    }
    static int visibleViews() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            n += w->objectName() == "Form2" && w->isVisible();
        }
        return n;
    }
    static int views() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            n += w->objectName() == "Form2";
        }
        return n;
    }
};

void failToShow(QWidget&, QScreen*) {
    throw calc_error(calc_error::Kind::InvalidCall, "no full screen here");
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void cleanup() { QCOMPARE(Program::views(), 0); }

    void atRestTheBandTheRodAndTheMassSitOnTheBackBuffer() {
        QTemporaryDir dir;
        writeSolidScene(dir.path());
        View v(dir.path());
        v.panel.setText("Texthenibairitu", "0");  // both displacements 0
        v.run.timer0 = v.clock.t;
        v.form->load();
        v.form->pass();
        QCOMPARE(v.form->textLine(), QStringLiteral("0.00 秒3   +0m"));
        const app::Form2& f = *v.form;
        QCOMPARE(static_cast<const qt::QtSurface*>(f.view().scene().canvas())->image().size(),
                 QSize(640, 480));
        // The wall band: rows 0 to 23, across the whole width.
        QVERIFY(near(bufferPixel(f, 5, 0), kWall));
        QVERIFY(near(bufferPixel(f, 634, 23), kWall));
        QVERIFY(near(bufferPixel(f, 5, 24), kBack));
        // The upper rod: rows 24 to 71 on the axis, then the spring.
        QVERIFY(near(bufferPixel(f, 320, 24), kRod));
        QVERIFY(near(bufferPixel(f, 320, 71), kRod));
        QVERIFY(near(bufferPixel(f, 320, 73), kSpring));
        // The mass: 80 × 80 centred at (320, 264), the lower rod above it.
        QVERIFY(near(bufferPixel(f, 320, 264), kMass));
        QVERIFY(near(bufferPixel(f, 280, 224), kMass));
        QVERIFY(near(bufferPixel(f, 359, 303), kMass));
        QVERIFY(near(bufferPixel(f, 279, 264), kBack));
        QVERIFY(near(bufferPixel(f, 360, 264), kBack));
        QVERIFY(near(bufferPixel(f, 320, 223), kRod));
        QVERIFY(near(bufferPixel(f, 320, 304), kBack));
    }

    void aBackgroundOfAnySizeFillsTheBuffer_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("320 x 240") << QSize(320, 240);
        QTest::newRow("1000 x 300") << QSize(1000, 300);
    }

    void aBackgroundOfAnySizeFillsTheBuffer() {
        QFETCH(QSize, size);
        // Left half red, right half blue.
        QImage back = solid(size.width(), size.height(), QColor(255, 0, 0));
        for (int y = 0; y < back.height(); ++y) {
            for (int x = back.width() / 2; x < back.width(); ++x) {
                back.setPixelColor(x, y, QColor(0, 0, 255));
            }
        }
        QTemporaryDir dir;
        writeSceneWithBackground(dir.path(), back);
        View v(dir.path());
        v.form->load();
        v.form->pass();
        const QColor red(255, 0, 0), blue(0, 0, 255);
        QVERIFY(near(bufferPixel(*v.form, 2, 400), red));
        QVERIFY(near(bufferPixel(*v.form, 300, 400), red));
        QVERIFY(near(bufferPixel(*v.form, 340, 400), blue));
        QVERIFY(near(bufferPixel(*v.form, 639, 479), blue));
        QVERIFY(near(bufferPixel(*v.form, 639, 40), blue));
    }

    void theScreenShowsTheBufferWithItsAspectKept_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("picture");
        QTest::newRow("wide") << QSize(1600, 1000) << QRect(133, 0, 1333, 1000);
        QTest::newRow("tall") << QSize(1000, 1000) << QRect(0, 125, 1000, 750);
        QTest::newRow("4:3") << QSize(800, 600) << QRect(0, 0, 800, 600);
    }

    void theScreenShowsTheBufferWithItsAspectKept() {
        QFETCH(QSize, screen);
        QFETCH(QRect, picture);
        QTemporaryDir dir;
        writeSolidScene(dir.path());
        View v(dir.path(), screen);
        v.panel.setText("Texthenibairitu", "0");
        v.form->load();
        const QImage shot = v.form->grab().toImage();
        QCOMPARE(shot.size(), screen);
        auto black = [&](int x, int y) { return shot.pixelColor(x, y) == QColor(Qt::black); };
        // The bars are black, the picture's own edge rows are not (background or wall).
        const QPoint mid = picture.center();
        QVERIFY(!black(picture.left() + 2, mid.y()));
        QVERIFY(!black(picture.right() - 2, mid.y()));
        QVERIFY(!black(mid.x(), picture.top() + 2));
        QVERIFY(!black(mid.x() + 50, picture.bottom() - 60));
        if (picture.left() > 0) {
            QVERIFY(black(picture.left() - 2, mid.y()));
            QVERIFY(black(picture.right() + 3, mid.y()));
            QVERIFY(black(0, 0));
        }
        if (picture.top() > 0) {
            QVERIFY(black(mid.x(), picture.top() - 2));
            QVERIFY(black(mid.x(), picture.bottom() + 3));
        }
        // The mass's centre (320, 264) lands scaled on the screen.
        const QPoint mass(picture.left() + 320 * picture.width() / 640,
                          picture.top() + 264 * picture.height() / 480);
        QVERIFY(near(shot.pixelColor(mass), kMass));
    }

    void aPaintOutsideJoutai3DrawsNothing() {
        View v(programFolder());
        v.run.joutai = kRunning;
        v.form->load();
        QVERIFY(QTest::qWaitForWindowExposed(v.form.get()));
        v.form->repaint();
        QVERIFY(v.form->textLine().isEmpty());
        QCOMPARE(v.form->grab().toImage().pixelColor(10, 10), QColor(Qt::black));
        v.run.joutai = kFullScreen;
        v.form->repaint();  // a system paint runs yurana and blt
        QVERIFY(v.form->textLine().startsWith(QStringLiteral("0.00 秒3")));
        QVERIFY(v.form->grab().toImage().pixelColor(10, 10) != QColor(Qt::black));
    }

    void theAccessibleNameIsTheCurrentTextLine() {
        View v(programFolder());
        v.form->load();
        v.form->pass();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(v.form.get());
        QVERIFY(a != nullptr);
        QCOMPARE(a->text(QAccessible::Name), v.form->textLine());
        v.clock.t = 7.25;
        v.form->pass();
        QVERIFY(a->text(QAccessible::Name).startsWith(QStringLiteral("7.25 秒3")));
    }

    void aClickEscOrCloseLeavesThroughEndIt_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("click") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close") << 2;
    }

    void aClickEscOrCloseLeavesThroughEndIt() {
        QFETCH(int, how);
        View v(programFolder());
        v.form->load();
        v.form->pass();
        if (how == 0) {
            QTest::mouseClick(v.form.get(), Qt::LeftButton, {}, QPoint(600, 20));
        } else if (how == 1) {
            QTest::keyClick(v.form.get(), Qt::Key_Escape);
        } else {
            v.form->close();
        }
        QCOMPARE(v.log, QStringLiteral("windows;form0 2;unload;"));
        QCOMPARE(v.panel.text("Command2"), std::string("停止"));
        QVERIFY(!v.form->isVisible());
        QVERIFY(v.form->view().scene().canvas() == nullptr);
        // Leaving is done once.
        QTest::keyClick(v.form.get(), Qt::Key_Escape);
        QCOMPARE(v.log, QStringLiteral("windows;form0 2;unload;"));
    }

    void theDefaultShowCoversTheScreen() {
        View v(programFolder());
        QScreen* screen = QGuiApplication::primaryScreen();
        app::showFullScreenOn(*v.form, screen);
        QVERIFY(v.form->isFullScreen());
        QCOMPARE(v.form->geometry(), screen->geometry());
        QVERIFY_THROWS_EXCEPTION(calc_error, app::showFullScreenOn(*v.form, nullptr));
    }

    // The whole program.

    void enteredFromStoppedTheTimeStartsAtTmin_data() {
        QTest::addColumn<QString>("magnification");
        QTest::addColumn<QString>("first");
        QTest::newRow("1") << "1" << QStringLiteral("2.00 秒3");
        QTest::newRow("3") << "3" << QStringLiteral("6.00 秒3");
    }

    void enteredFromStoppedTheTimeStartsAtTmin() {
        QFETCH(QString, magnification);
        QFETCH(QString, first);
        Program p;
        p.type("Texttmin", "2");
        p.type("Textjikanbairitu", magnification.toUtf8().constData());
        p.enter();
        QCOMPARE(p.joutai(), int(kFullScreen));
        QCOMPARE(p.app->run().timer0, 98.0);
        p.app->tick();
        QCOMPARE(p.shown().left(7), first);
        QCOMPARE(p.surfaces.live, 7);
        QVERIFY(p.app->form0().scene().canvas() == nullptr);  // form0 is unloaded
        p.clock.t += 0.5;
        p.app->tick();
        QCOMPARE(p.shown().left(4), QString(magnification == "1" ? "2.50" : "7.50"));
    }

    void enteredWhileRunningTheTimeGoesOnWithoutTmin() {
        Program p;
        p.type("Texttmin", "2");
        p.click("Command2");
        p.clock.t = 101;
        p.app->tick();
        QCOMPARE(p.app->form0().textLine().left(6), QStringLiteral("3.00秒2"));
        p.enter();
        QCOMPARE(p.app->run().timer0, 100.0);
        p.clock.t = 101.5;
        p.app->tick();
        QCOMPARE(p.shown().left(7), QStringLiteral("1.50 秒3"));

        // A click returns to the window, which adds tmin again on the same timer0.
        QTest::mouseClick(p.app->form2(), Qt::LeftButton);
        p.checkRunningInTheWindow();
        QCOMPARE(p.app->form0().textLine().left(6), QStringLiteral("3.50秒2"));
        QVERIFY(p.app->form1().control("Command3")->isVisibleTo(&p.app->form1()));
        QCOMPARE(p.surfaces.live, 0);
    }

    void pausedOnEntryFramesAreDrawnAndTheTimeStands() {
        Program p;
        p.click("Command2");
        p.clock.t = 103;
        p.app->tick();
        p.click("Command6");
        p.enter();
        p.clock.t = 110;
        p.app->tick();
        QVERIFY(p.shown().startsWith(QStringLiteral("3.00 秒3")));
        QVERIFY(!p.shown().endsWith(QStringLiteral("+0m")));
        p.app->panel().setText("Texthenibairitu", "0");
        p.clock.t = 120;
        p.app->tick();
        QCOMPARE(p.shown(), QStringLiteral("3.00 秒3   +0m"));  // a new frame, the same time
    }

    void leavingAfterEntryFromStoppedRunsTheWindow() {
        Program p;
        p.enter();
        p.app->tick();
        QTest::keyClick(p.app->form2(), Qt::Key_Escape);
        p.checkRunningInTheWindow();
        // Apply changes keeps the visibility it had: the view does not touch it.
        QVERIFY(!p.app->form1().control("Command3")->isVisibleTo(&p.app->form1()));
        p.app->tick();  // the unloaded view is deleted
        QCOMPARE(Program::views(), 0);
    }

    void enteringAndLeavingTwentyTimesLeaksNothing() {
        Program p;
        p.click("Command2");
        for (int i = 0; i < 20; ++i) {
            p.enter();
            p.clock.t += 0.25;
            p.app->tick();
            QCOMPARE(p.surfaces.live, 7);
            QTest::mouseClick(p.app->form2(), Qt::LeftButton, {}, QPoint(i * 13, i * 7));
            QCOMPARE(p.surfaces.live, 0);
            p.checkRunningInTheWindow();
            QCOMPARE(Program::views(), 0);
        }
        QVERIFY(p.box.texts.empty());
    }

    void aViewThatCannotBeShownReturnsToTheRunningWindow_data() {
        QTest::addColumn<bool>("running");
        QTest::newRow("from stopped") << false;
        QTest::newRow("while running") << true;
    }

    void aViewThatCannotBeShownReturnsToTheRunningWindow() {
        QFETCH(bool, running);
        app::Form2Options o;
        o.show = failToShow;
        Program p(o);
        if (running) {
            p.click("Command2");
        }
        p.click("Command4");
        p.checkRunningInTheWindow();
        QCOMPARE(p.surfaces.live, 0);
        QVERIFY(p.box.texts.empty());
    }

    void aBitmapThatCannotBeLoadedReturnsToTheRunningWindow() {
        QTemporaryDir dir;
        for (const char* name : kSprites) {
            if (std::string(name) != "k.bmp") {
                QVERIFY(QFile::copy(programFolder() + "/" + name, dir.path() + "/" + name));
            }
        }
        QVERIFY(QFile::copy(programFolder() + "/back1.bmp", dir.path() + "/back1.bmp"));
        app::Form2Options o;
        o.folder = dir.path();
        Program p(o);
        p.click("Command2");
        p.click("Command4");  // shown full screen, then k.bmp is missing
        p.checkRunningInTheWindow();
        QCOMPARE(p.surfaces.live, 0);
        p.app->tick();
        QCOMPARE(Program::views(), 0);
    }

    void aFailingFrameLeavesAndTheWindowReportsIt() {
        Program p;
        p.click("Command2");
        p.enter();
        p.app->tick();
        p.type("Texthenibairitu", "abc");
        p.app->tick();  // the view's frame fails: back to the window
        QVERIFY(p.app->form2() == nullptr);
        QVERIFY(p.app->form0Window()->isVisible());
        QCOMPARE(p.surfaces.live, 0);
        p.app->tick();  // the window's pass fails the same way
        QCOMPARE(p.box.texts,
                 std::vector<std::string>{"正しい数値を半角英数字で入力し再度実行してください。"});
        QCOMPARE(p.joutai(), int(kStopped));
        QCOMPARE(Program::visibleViews(), 0);
    }
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
