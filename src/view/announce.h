#ifndef SCHEDULE_ANNOUNCE_H
#define SCHEDULE_ANNOUNCE_H

class QLabel;

// Makes `label` a notification to screen readers, which Orca reads out as soon as it shows, wherever
// the keyboard focus is. Called where the label is made, before anything asks for its accessible
// object: that object is made here, once, and kept.
void makeErrorNotice(QLabel *label);

// Shows `label`, a notice of makeErrorNotice() just given an error's text, and has a screen reader
// read it out at once, also when it was showing an error already.
void announceError(QLabel *label);

#endif
