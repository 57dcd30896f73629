#pragma once

namespace teb::gui {

// The application: the command line parsed (nothing in it changes the
// station), the main window run modally, the exit code.
class CQV58App {
public:
    int start(int argc, char **argv);
};

} // namespace teb::gui
