// The data server's calendar files, read before each edit of one of their events.
#include "fuzzcommon.h"
#include "icsdocument.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IcsDocument document;
    if (!document.parse(
            QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<int>(size))))
        return 0;
    // What the server writes it must read again, to the same bytes.
    const QByteArray written = document.toByteArray();
    IcsDocument again;
    FUZZ_ASSERT(again.parse(written));
    FUZZ_ASSERT(again.toByteArray() == written);
    for (const IcsNode &component : again.components()) {
        (void)component.propertyValue(QStringLiteral("UID"));
        if (const IcsNode *start = component.find(QStringLiteral("DTSTART")))
            (void)start->parameter(QStringLiteral("TZID"));
    }
    return 0;
}
