// The meeting link of an invitation's text (its description or location), as anyone may write it.
#include "fuzzcommon.h"
#include "meetinglinks.h"

#include <QUrl>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Fuzz::text(data, size);
    const QString link = MeetingLinks::inText(text);
    // What is found is a link a meeting service would open, never a fragment of something else.
    FUZZ_ASSERT(link.isEmpty() || MeetingLinks::isMeetingLink(QUrl(link)));
    // Outlook's wrapper is taken off whatever it wraps.
    static_cast<void>(MeetingLinks::unwrapped(QUrl(text)));
    return 0;
}
