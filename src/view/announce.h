#ifndef SCHEDULE_ANNOUNCE_H
#define SCHEDULE_ANNOUNCE_H

class QWidget;

// Tells a screen reader that `label` has just shown an error, to be read out at once, wherever the
// keyboard focus is: an alert of it, as a message box would send.
void announceError(QWidget *label);

#endif
