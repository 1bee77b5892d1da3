// Yurana: the damped, driven spring–mass oscillator hanging from a movable wall.

#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/application.h"
#include "app/program_setup.h"
#include "platform/message_box.h"

namespace {

// Instead of showing a message, prints it and remembers that there was one.
struct PrintedMessages : yurana::MessageBox {
    int count = 0;
    void show(std::string_view text, std::string_view title) override {
        std::cerr << title << (title.empty() ? "" : ": ") << text << '\n';
        ++count;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    yurana::app::setUpProgram();

    // --check-start: start up as usual (windows, bitmaps, first frame) and end at once;
    // the exit status is 1 when the program had anything to say. For installation tests.
    if (argc == 2 && std::strcmp(argv[1], "--check-start") == 0) {
        PrintedMessages messages;
        yurana::app::Application::Options o;
        o.box = &messages;
        o.runLoop = false;
        yurana::app::Application app(o);
        app.Main();
        app.tick();
        std::cout << "data folder: " << yurana::app::programDataFolder().toStdString() << '\n';
        return messages.count == 0 ? 0 : 1;
    }

    yurana::app::Application app;
    app.Main();
    return QApplication::exec();
}
