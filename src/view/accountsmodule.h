#ifndef SCHEDULE_ACCOUNTSMODULE_H
#define SCHEDULE_ACCOUNTSMODULE_H

class QWidget;

// The settings window's online accounts section, from its plugin module, which brings Qt Network:
// loaded on the first call, so that the panel starts without it. Where the module is missing or
// does not load, a line that says so, and the rest of the settings work as ever.
QWidget *createAccountsSection(QWidget *parent);

#endif
