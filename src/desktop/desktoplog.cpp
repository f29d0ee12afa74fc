#include "desktoplog.h"

Q_LOGGING_CATEGORY(lcDesktop, "tasklist.desktop")
