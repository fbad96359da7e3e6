// kx7300's command line: what it asks for, read before any window or display exists, so
// --help and --version work on a machine without one.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace kx::ui {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    // The one positional argument (a project directory or a file), handed on to the program;
    // empty when there is none.
    std::string path;
    // Why the arguments were refused (Action::Refuse).
    std::string error;
    // --desktop: started from the desktop menu or a file manager, whose current directory is
    // the user's home: the program works in its own state folder (the diagnostic files go
    // there), not in the directory it was started from.
    bool fromDesktop = false;
};

// The program's state folder: $XDG_STATE_HOME/kx7300, or ~/.local/state/kx7300; empty when
// neither variable names a directory.
std::string StateFolder();

// Makes the state folder the current directory (creating it); false, with nothing changed,
// when that cannot be done.
bool EnterStateFolder();

// Reads the arguments. Qt's own options (-platform NAME, -style NAME, ...) are left for
// QApplication and do not count as the positional argument.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// Answers --help and --version on `out` and refuses bad usage on `err`; returns the exit status
// when the program should end there, nothing when it should start.
std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err);

}  // namespace kx::ui
