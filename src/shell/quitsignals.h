#ifndef SCHEDULE_QUITSIGNALS_H
#define SCHEDULE_QUITSIGNALS_H

// Makes SIGTERM, SIGINT and SIGHUP end the Qt event loop with status 0, as the close button does,
// so that the state is saved when the session ends or the terminal closes.
// Call once, after the application object exists.
void quitEventLoopOnSignals();

#endif
