// The program's answer to the signals that end a process politely: SIGTERM (the desktop
// session ends, `kill`), SIGINT (Ctrl+C in the terminal that started it) and SIGHUP (that
// terminal closes). Each becomes a quit request to the application, so the window frame, the
// sign text and the favourite colours are saved as after Ctrl+Q. A second signal ends the
// process at once, for a program that no longer answers.
#ifndef QUIT_ON_SIGNALS_H
#define QUIT_ON_SIGNALS_H

// Blocks the three signals in the calling thread and in every thread it starts afterwards,
// and starts the thread that waits for them. Call it before any other thread exists.
void quit_application_on_signals();

#endif
