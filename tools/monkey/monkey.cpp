// The monkey: random input on the real windows (offscreen) for a given time, from a fixed
// seed, so that a failure can be replayed. It types random texts into every box of the
// panel, presses its buttons and ticks its check boxes, saves and loads the slots (and
// now and then puts an odd slot file in place), opens and closes the About window, enters
// and leaves full screen, ends and restarts the program, resizes the frame, and runs
// main-loop passes with a hand-driven clock in between, in a program folder of its own.
//
// It fails on a crash, on a message that is not one of the program's own, on more than
// one message for one input or for the passes after it, and on a slot file that holds
// neither its old nor its new content after a save (or the other one than the message
// says).
//
//   monkey [seed [seconds]] [Qt Test options]     seed 1 and 60 s by default
//
// MONKEY_TRACE=1 prints every action as it is done (to follow a replayed seed).

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "about/about_window.h"
#include "animation/scene.h"
#include "app/application.h"
#include "panel/messages.h"
#include "panel/panel_controls.h"
#include "platform/posix/posix_files.h"
#include "platform/qt/fonts.h"
#include "platform/qt/text.h"
#include "storage/slot_format.h"
#include "storage/slot_messages.h"
#include "support/fake_panel.h"
#include "support/program_folder.h"

using namespace yurana;

namespace {

unsigned long gSeed = 1;
double gSeconds = 60;
QtMessageHandler gQtTestHandler = nullptr;

// The offscreen platform cannot raise a window; the About window asks it to every time
// it opens. That warning only buries the others.
void quietAboutRaise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support raise()"))) {
        return;
    }
    if (gQtTestHandler != nullptr) {
        gQtTestHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

// What makes the run fail, with the reason.
struct Failure {
    std::string why;
};

// Pieces of what a user types or pastes: numbers of every size and form, blanks,
// full-width digits, letters, "***", control characters.
const char* const kPieces[] = {
    "0",      "1",           "-1",         "2.5",    "-0.05",  "1000",      "20",     "3",
    ".5",     "5.",          "+7",         "-0",     "1e3",    "1E-3",      "1e308",  "1.8e308",
    "-1e308", "1e-308",      "4.9e-324",   "1e-400", "1e400",  "3.4e38",    "3.5e38", "1e-45",
    "9e37",   "-9e37",       "2147483648", "32768",  "1,5",    "1 000",     "0x10",   "&H10",
    "1d3",    " ",           "   ",        "１２３", "１．５", "－２",      "１ｅ３", "abc",
    "e",      "E",           "NaN",        "nan",    "inf",    "-Infinity", "ｱｲｳ",    "漢字",
    "***",    "*",           "-",          "+",      ".",      "e5",        "1e",     "1e+",
    "½",      "٣",           "𝟙",          "\u00a0", "\u3000", "\t",        "\r",     "\n",
    "\x1f",   "\xef\xbb\xbf"};

// The message texts of a failed save or load of slot n carry a problem between a fixed
// head and tail; these are the head and tail.
std::pair<std::string, std::string> around(const std::string& text) {
    const std::size_t mark = text.find('\x01');
    return {text.substr(0, mark), text.substr(mark + 1)};
}

bool framedBy(const std::string& text, const std::pair<std::string, std::string>& frame) {
    return text.size() > frame.first.size() + frame.second.size() &&
           text.starts_with(frame.first) && text.ends_with(frame.second);
}

std::optional<std::string> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return f.readAll().toStdString();
}

std::string shown(const std::string& text) {
    std::size_t cut = std::min<std::size_t>(text.size(), 60);
    while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        ++cut;  // not inside a UTF-8 sequence
    }
    std::string out;
    for (unsigned char c : text.substr(0, cut)) {
        out += c < 0x20 ? "\\x" + QByteArray(1, char(c)).toHex().toStdString() : std::string(1, c);
    }
    return cut < text.size() ? out + "…(" + std::to_string(text.size()) + " bytes)" : out;
}

class Monkey : public QObject {
    Q_OBJECT

    std::mt19937_64 rng_{gSeed};
    test::ProgramFolder folder_;
    test::RecordingMessageBox box_;
    test::ManualClock clock_;
    std::unique_ptr<app::Application> app_;
    std::vector<std::string> textBoxes_, checkBoxes_;
    std::deque<std::string> recent_;  // the last actions, for the failure report
    bool trace_ = qEnvironmentVariableIsSet("MONKEY_TRACE");

    // Figures of the run.
    long actions_ = 0, inputs_ = 0, passes_ = 0, saves_ = 0, savesRefused_ = 0, loads_ = 0,
         loadsRefused_ = 0, fullScreens_ = 0, abouts_ = 0, restarts_ = 0;
    long messageCount_ = 0;
    std::map<std::string, long> messages_;  // by first line

    // Random numbers.
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(int(N))];
    }
    const std::string& pick(const std::vector<std::string>& items) {
        return items[below(int(items.size()))];
    }

    std::string randomNumber() {
        char buf[64];
        switch (below(4)) {
            case 0:
                return std::to_string(below(2000001) - 1000000);
            case 1: {
                double v = std::uniform_real_distribution<double>(-10, 10)(rng_);
                std::snprintf(buf, sizeof buf, "%.*ge%d", 1 + below(17), v, below(661) - 330);
                return buf;
            }
            case 2:
                std::snprintf(buf, sizeof buf, "%.*f", below(12),
                              std::uniform_real_distribution<double>(-1e4, 1e4)(rng_));
                return buf;
        }
        std::snprintf(buf, sizeof buf, "%.17g", std::uniform_real_distribution<double>(0, 1)(rng_));
        return buf;
    }

    std::string randomText() {
        const int kind = below(20);
        if (kind < 6) {
            return randomNumber();
        }
        if (kind < 14) {
            std::string text;
            for (int n = 1 + below(3); n > 0; --n) {
                text += chance(0.3) ? randomNumber() : pick(kPieces);
            }
            return text;
        }
        if (kind < 16) {
            return "";
        }
        if (kind < 18) {
            const int times[] = {50, 500, 5000, 40000};
            std::string piece = chance(0.5) ? pick(kPieces) : randomNumber();
            std::string text;
            for (int n = pick(times); n > 0 && text.size() < 200000; --n) {
                text += piece;
            }
            return text;
        }
        QString any;  // any characters below the surrogates
        for (int n = 1 + below(12); n > 0; --n) {
            char16_t c = char16_t(1 + below(0xD7FF));
            any += QChar(c);
        }
        return any.toStdString();
    }

    // Logs an action; every action counts.
    void note(std::string what) {
        ++actions_;
        what = "#" + std::to_string(actions_) + " " + what;
        if (trace_) {
            std::printf("%s\n", what.c_str());
            std::fflush(stdout);
        }
        recent_.push_back(std::move(what));
        if (recent_.size() > 40) {
            recent_.pop_front();
        }
    }

    [[noreturn]] void fail(const std::string& why) { throw Failure{why}; }

    // The program's own messages.
    bool ownMessage(const std::string& text) const {
        if (text == kMsgBadValue || text == kMsgBadRun || text == kMsgSysInfoUnavailable) {
            return true;
        }
        for (const char* file : test::ProgramFolder::kBitmaps) {
            if (text == bitmapFailedText(file)) {
                return true;
            }
        }
        for (int n = 0; n < kSlotCount; ++n) {
            if (text == saveDoneText(n) || framedBy(text, saveFailedFrame(n)) ||
                framedBy(text, loadFailedFrame(n))) {
                return true;
            }
        }
        return false;
    }

    std::pair<std::string, std::string> saveFailedFrame(int n) const {
        return around(saveFailedText(n, slotPath(n).toStdString(), "\x01"));
    }
    std::pair<std::string, std::string> loadFailedFrame(int n) const {
        return around(loadFailedText(n, slotPath(n).toStdString(), "\x01"));
    }

    QString slotPath(int n) const {
        return folder_.dir.filePath(QString::fromStdString(slotFileName(n)));
    }

    // Runs `step` and checks the messages it brought: at most one, the program's own.
    std::vector<std::string> expectingAtMostOne(const std::string& what,
                                                const std::function<void()>& step) {
        const std::size_t before = box_.texts.size();
        step();
        std::vector<std::string> fresh(box_.texts.begin() + long(before), box_.texts.end());
        for (const std::string& text : fresh) {
            ++messages_[text.substr(0, text.find('\n'))];
            ++messageCount_;
            if (!ownMessage(text)) {
                fail("a message that is not the program's own after " + what + ": " + shown(text));
            }
        }
        if (fresh.size() > 1) {
            std::string all;
            for (const std::string& text : fresh) {
                all += "\n    " + shown(text);
            }
            fail(std::to_string(fresh.size()) + " messages after " + what + ":" + all);
        }
        return fresh;
    }

    // The event loop between passes: paints, queued writes and deferred deletes.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A few main-loop passes, the clock moving by random steps; one message at most.
    void passes(int n) {
        std::string what = "the passes (joutai, messages:";
        expectingAtMostOne(what, [&] {
            for (int i = 0; i < n && !app_->ended(); ++i) {
                const double steps[] = {1.0 / 60, 1.0 / 30, 0.1, 0.5, 3, 1000};
                clock_.t += chance(0.9) ? steps[below(3)] : pick(steps);
                const std::size_t before = box_.texts.size();
                what += " " + std::to_string(app_->session().run().joutai);
                app_->tick();
                settle();
                what += "," + std::to_string(box_.texts.size() - before);
                ++passes_;
            }
            what += ")";
        });
    }

    // One input event from the user; one message at most.
    std::vector<std::string> input(const std::string& what, const std::function<void()>& step) {
        note(what);
        ++inputs_;
        return expectingAtMostOne(what, [&] {
            step();
            settle();
        });
    }

    QWidget* control(const std::string& name) const { return app_->form1().control(name.c_str()); }

    bool clickable(QWidget* w) const { return w->isVisibleTo(&app_->form1()) && w->isEnabled(); }

    void click(const std::string& name) {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(control(name)), Qt::LeftButton);
    }

    void start() {
        box_.texts.clear();
        box_.titles.clear();
        app::Form2Options fullScreen;
        fullScreen.folder = folder_.path();
        app_ = std::make_unique<app::Application>(
            app::Application::Options{&box_, &clock_, folder_.path(), false, fullScreen, nullptr,
                                      nullptr, folder_.path() + "/settings.conf"});
        app_->Main();
        settle();
        if (!box_.texts.empty()) {
            fail("a message at start-up: " + shown(box_.texts.front()));
        }
    }

    // Types or pastes a random text into a random box: key by key (replacing or adding to
    // what is there), or pasted over a selection, or edited with keys.
    void typeText() {
        const std::string name = pick(textBoxes_);
        auto* edit = qobject_cast<QLineEdit*>(control(name));
        const std::string text = randomText();
        const QString q = qt::toQ(text);
        const bool hasControl =
            std::any_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20; });
        const int how = below(10);
        if (how < 1) {
            input("edit keys in " + name, [&] {
                const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,
                                        Qt::Key_End,       Qt::Key_Left,   Qt::Key_Right};
                for (int n = 1 + below(6); n > 0; --n) {
                    QTest::keyClick(edit, pick(keys));
                }
                if (chance(0.3)) {
                    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);  // undo
                }
            });
        } else if (how < 7 && q.size() <= 40 && !hasControl) {
            const bool replace = how < 5;
            input(std::string(replace ? "type over " : "type after ") + name + " \"" + shown(text) +
                      "\"",
                  [&] {
                      if (replace) {
                          edit->selectAll();
                      } else {
                          edit->end(false);
                      }
                      for (char32_t c : q.toUcs4()) {
                          const QString one = QString::fromUcs4(&c, 1);
                          if (c < 0x7f) {
                              QTest::keyClick(edit, char(c));
                          } else {
                              QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, one,
                                                  Qt::NoModifier);
                          }
                      }
                  });
        } else {
            input("paste into " + name + " \"" + shown(text) + "\"", [&] {
                if (chance(0.8)) {
                    edit->selectAll();
                }
                edit->insert(q);
            });
        }
    }

    // A button of the run controls or 計算, when the user could press it.
    void pressButton() {
        const char* const buttons[] = {ctl::Command_keisan, ctl::Command2, ctl::Command2,
                                       ctl::Command6,       ctl::Command3, ctl::Command5,
                                       ctl::Command4};
        const std::string name = pick(buttons);
        if (!clickable(control(name))) {
            return;
        }
        input("press " + name, [&] { click(name); });
        if (name == ctl::Command4 && app_->form2() != nullptr) {
            ++fullScreens_;
        }
    }

    void tickBox() {
        const std::string name = pick(checkBoxes_);
        if (!clickable(control(name))) {
            return;
        }
        const int before = app_->panel().value(name);
        input("tick " + name, [&] { click(name); });
        if (app_->panel().value(name) == before) {
            fail("a click on " + name + " left it as it was");
        }
    }

    // Save: the file afterwards holds what the panel showed when the message says saved,
    // what it held before otherwise; no temporary file is left behind.
    void save() {
        const int n = below(kSlotCount);
        const QString path = slotPath(n);
        const std::optional<std::string> old = readFile(path);
        std::optional<std::string> fresh;
        try {
            fresh =
                encodeLines(readSlotValues(app_->panel()), kSlotMaxLineBytes, path.toStdString());
        } catch (const std::exception&) {
            // values no save can write: the file must stay as it was
        }
        const std::string name = ctl::Cmd_Save[n];
        auto said = input("press " + name, [&] { click(name); });
        ++saves_;
        if (said.size() != 1 || box_.titles.back() != saveTitle(n)) {
            fail(name + " did not answer with one message titled " + saveTitle(n));
        }
        const std::optional<std::string> now = readFile(path);
        if (now != old && now != fresh) {
            fail(name + " left a file that is neither the old nor the new content: " +
                 shown(now.value_or("(none)")));
        }
        if (said[0] == saveDoneText(n) ? now != fresh : now != old) {
            fail(name + " said \"" + shown(said[0]) + "\" but the file holds " +
                 (now == old     ? "the old content"
                  : now == fresh ? "the new content"
                                 : "neither"));
        }
        if (said[0] != saveDoneText(n)) {
            ++savesRefused_;
        }
        const QStringList temps =
            QDir(folder_.path()).entryList({".yuran*"}, QDir::Files | QDir::Hidden);
        if (!temps.isEmpty()) {
            fail(name + " left a temporary file: " + temps.join(' ').toStdString());
        }
    }

    // Load: the panel shows the file's 25 values, or it is refused by one message and
    // the panel keeps its values; the run is stopped either way.
    void load() {
        const int n = below(kSlotCount);
        const std::vector<std::string> before = readSlotValues(app_->panel());
        const std::string name = ctl::Cmd_Load[n];
        auto said = input("press " + name, [&] { click(name); });
        ++loads_;
        if (app_->session().run().joutai != kStopped ||
            app_->panel().text(ctl::Command2) != "開始") {
            fail(name + " did not stop the run");
        }
        const std::vector<std::string> after = readSlotValues(app_->panel());
        if (!said.empty()) {
            ++loadsRefused_;
            if (box_.titles.back() != loadTitle(n) || !framedBy(said[0], loadFailedFrame(n))) {
                fail(name + " answered \"" + shown(said[0]) + "\"");
            }
            if (after != before) {
                fail(name + " was refused but changed the panel");
            }
            return;
        }
        const std::string bytes = readFile(slotPath(n)).value_or("");
        const SlotValues file =
            parseSlot(decodeLines(bytes, kSlotLineCount, kSlotMaxLineBytes, name));
        for (std::size_t i = 0; i < kSlotLineCount; ++i) {
            const SlotLine& line = slotLines()[i];
            const bool same = line.field == SlotField::Check
                                  ? app_->panel().value(line.control) == file.checks[i]
                                  : after[i] == file.texts[i];
            if (!same) {
                fail(name + " put \"" + shown(after[i]) + "\" into " + std::string(line.control) +
                     " from \"" + shown(file.texts[i]) + "\"");
            }
        }
    }

    // An odd slot file, as another machine or another version might leave it: 25 or so
    // random lines, or random bytes.
    void oddSlotFile() {
        const int n = below(kSlotCount);
        std::string bytes;
        if (chance(0.6)) {
            const char* const ends[] = {"\r\n", "\n", "\r"};
            const char* end = pick(ends);
            for (int i = 23 + below(4); i > 0; --i) {
                bytes += (chance(0.2) ? std::to_string(below(4)) : randomText()) + end;
            }
        } else {
            for (int i = below(400); i > 0; --i) {
                bytes += char(below(256));
            }
        }
        note("write an odd " + slotFileName(n) + " of " + std::to_string(bytes.size()) + " bytes");
        QFile f(slotPath(n));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) < 0) {
            fail("cannot write " + slotPath(n).toStdString());
        }
    }

    void about() {
        if (!clickable(control(ctl::cmdtest))) {
            return;
        }
        input("press cmdtest", [&] { click(ctl::cmdtest); });
        ++abouts_;
        if (!app_->about().isVisible()) {
            fail("the About window did not open");
        }
    }

    void closeAbout() {
        auto& about = app_->about();
        switch (below(3)) {
            case 0:
                input("About: OK", [&] {
                    QTest::mouseClick(
                        qobject_cast<QAbstractButton*>(about.control(ctl::about::cmdOK)),
                        Qt::LeftButton);
                });
                break;
            case 1:
                input("About: Esc", [&] { QTest::keyClick(&about, Qt::Key_Escape); });
                break;
            default:
                input("About: close", [&] { about.close(); });
        }
        if (about.isVisible() || !app_->panel().isEnabled(ctl::Command2)) {
            fail("the About window stayed or left the run buttons disabled");
        }
    }

    // While the full-screen view is up: keys, or leaving it by a click, Esc or closing.
    void inFullScreen() {
        app::Form2* view = app_->form2();
        switch (below(6)) {
            case 0: {
                const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_A, Qt::Key_Return, Qt::Key_F1};
                input("full screen: a key", [&] { QTest::keyClick(view, pick(keys)); });
                break;
            }
            case 1:
                input("full screen: click", [&] {
                    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(below(640), below(480)));
                });
                break;
            case 2:
                input("full screen: Esc", [&] { QTest::keyClick(view, Qt::Key_Escape); });
                break;
            case 3:
                input("full screen: close", [&] { view->close(); });
                break;
            default:
                note("full screen: passes");
        }
        passes(1 + below(4));
    }

    void resizeFrame() {
        const int w = 100 + below(1700), h = 80 + below(1100);
        input("resize the frame to " + std::to_string(w) + "x" + std::to_string(h),
              [&] { app_->frame().resize(w, h); });
    }

    void quitAndRestart() {
        if (!clickable(control(ctl::Command1))) {
            return;
        }
        input("press Command1", [&] { click(ctl::Command1); });
        if (!app_->ended()) {
            fail("終了 did not end the program");
        }
        note("restart");
        app_.reset();
        settle();
        start();
        ++restarts_;
    }

    void oneAction() {
        if (app_->form2() != nullptr && app_->form2()->isVisible()) {
            inFullScreen();
            return;
        }
        if (app_->about().isVisible() && chance(0.3)) {
            closeAbout();
            passes(below(6));
            return;
        }
        // The user's actions with their chances in a thousand; the rest, passes alone.
        static constexpr std::pair<int, void (Monkey::*)()> kActions[] = {
            {380, &Monkey::typeText}, {200, &Monkey::pressButton}, {80, &Monkey::tickBox},
            {80, &Monkey::save},      {80, &Monkey::load},         {30, &Monkey::oddSlotFile},
            {20, &Monkey::about},     {15, &Monkey::resizeFrame},  {3, &Monkey::quitAndRestart}};
        int r = below(1000);
        for (auto [inAThousand, act] : kActions) {
            if (r < inAThousand) {
                (this->*act)();
                passes(below(6));
                return;
            }
            r -= inAThousand;
        }
        note("passes");
        passes(10 + below(30));
    }

    void failed(const std::string& why) const {
        std::printf("monkey: seed %lu failed at action %ld: %s\nlast actions:\n", gSeed, actions_,
                    why.c_str());
        for (const std::string& a : recent_) {
            std::printf("  %s\n", a.c_str());
        }
        report();
    }

    void report() const {
        std::printf(
            "monkey: seed %lu, %.0f s: %ld actions (%ld inputs), %ld passes, %ld messages; "
            "%ld saves (%ld refused), %ld loads (%ld refused), %ld full screens, %ld About, "
            "%ld restarts\n",
            gSeed, gSeconds, actions_, inputs_, passes_, messageCount_, saves_, savesRefused_,
            loads_, loadsRefused_, fullScreens_, abouts_, restarts_);
        for (const auto& [text, count] : messages_) {
            std::printf("  %6ld × %s\n", count, shown(text).c_str());
        }
    }

  private slots:
    void initTestCase() {
        gQtTestHandler = qInstallMessageHandler(quietAboutRaise);
        qt::installFontSubstitutions();
        for (const ControlDef& c : panelControls()) {
            if (c.kind == ControlKind::TextBox) {
                textBoxes_.emplace_back(c.name);
            } else if (c.kind == ControlKind::CheckBox) {
                checkBoxes_.emplace_back(c.name);
            }
        }
    }

    void randomInputForAWhile() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(gSeconds);
        try {
            clock_.t = 100;
            start();
            while (std::chrono::steady_clock::now() < end) {
                oneAction();
            }
        } catch (const Failure& f) {
            failed(f.why);
            QFAIL(f.why.c_str());
        } catch (const std::exception& e) {
            failed(std::string("an exception: ") + e.what());
            QFAIL(e.what());
        }
        report();
    }

    void cleanupTestCase() {
        app_.reset();
        settle();
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Leading numbers are the seed and the seconds; the rest goes to Qt Test.
    std::vector<char*> rest{argv[0]};
    int numbers = 0;
    for (int i = 1; i < argc; ++i) {
        char* end = nullptr;
        const double v = std::strtod(argv[i], &end);
        if (numbers < 2 && *argv[i] != '\0' && *end == '\0') {
            if (numbers++ == 0) {
                gSeed = static_cast<unsigned long>(v);
            } else {
                gSeconds = v;
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    // Qt Test ends a test function after five minutes unless told otherwise; give the run
    // its time and some to spare for the last action.
    const auto allowedMs = static_cast<qint64>(gSeconds * 1000) + 300000;
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(allowedMs));
    QApplication app(argc, argv);
    Monkey monkey;
    return QTest::qExec(&monkey, int(rest.size()), rest.data());
}

#include "monkey.moc"
#include "panel/control_names.h"
