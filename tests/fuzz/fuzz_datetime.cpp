// The date-time texts of a job ("Start", "End", "Ignore") and of a rule's "UNTIL=".
#include "fuzzcommon.h"
#include "scheduledatainfo.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Fuzz::text(data, size);
    const QDateTime dateTime = ScheduleDataInfo::StringDateToDateTime(text);
    (void)ScheduleDataInfo::DateTimeToStringDate(dateTime);
    const QDateTime endDate = RepetitionRule::resolutionEndDate(text);
    (void)RepetitionRule::endDateToString(endDate);
    return 0;
}
