#include "shelllog.h"

Q_LOGGING_CATEGORY(lcShell, "tasklist.shell")
