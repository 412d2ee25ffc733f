#pragma once

class QWidget;

namespace shulin {

// The program: sets up the toolkit, creates the three windows, runs the message loop until
// the main window closes, then ends.  Command-line arguments are ignored.  Returns the exit
// code: 0 on every way of ending, 1 when the toolkit or a window cannot start, which it
// reports in one line on stderr.
int RunProgram(int argc, char* argv[]);

// Creates Form1, Form2 and Form3 in that order, each hidden and holding its opening content.
// Throws std::runtime_error naming the window that cannot be built, with its reference reset
// to none and the windows before it still in place.
// Precondition: a QApplication exists and no window has been created yet.
void CreateForms();

// The main window: the first window created; null before CreateForms.
QWidget* MainForm();

// Destroys the windows, the last created first.
void DestroyForms();

// A test seam: runs with each window once it is allocated, before its controls are built.  A
// hook that throws std::exception makes that window fail to build, as a window whose layout
// cannot be loaded does.  None by default.
using FormBuildHook = void (*)(QWidget& form);
void SetFormBuildHook(FormBuildHook hook);

// The end of the program from inside an event handler: every window goes off screen, the
// windows and the toolkit are torn down and the process exits with code 0.  No handler of
// the program runs after it.
[[noreturn]] void EndProgramNow();

} // namespace shulin
