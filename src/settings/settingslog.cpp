#include "settingslog.h"

Q_LOGGING_CATEGORY(lcSettings, "tasklist.settings")
