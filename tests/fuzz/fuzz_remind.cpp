// The reminder text of a job: "15" or "1;09:00".
#include "fuzzcommon.h"
#include "scheduledatainfo.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const RemindData remind = RemindData::RemindStringToRemindData(Fuzz::text(data, size));
    (void)RemindData::RemindDataToRemindString(remind, false);
    (void)RemindData::RemindDataToRemindString(remind, true);
    return 0;
}
