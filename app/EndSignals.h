#pragma once
// The end of a session by signal: SIGTERM (shutdown, kill) and SIGHUP (the terminal or the
// session went away) end the program as "終了" does, so that a game in progress is kept.

class QObject;

// Installs the handlers once; the program ends from its event loop, never inside the handler.
void QuitOnEndSignals(QObject* parent);
