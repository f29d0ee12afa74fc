// The recurrence rule text of a job, e.g. "FREQ=WEEKLY;COUNT=3".
#include "fuzzcommon.h"
#include "scheduledatainfo.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const RepetitionRule rule = RepetitionRule::RuleStringToRuleData(Fuzz::text(data, size));
    (void)RepetitionRule::RuleDataToRuleString(rule);
    return 0;
}
