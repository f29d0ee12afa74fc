// An invitation's description, HTML or text, as the details popover shows it: whatever it holds,
// what comes out is text and safe links.
#include "descriptiontext.h"
#include "fuzzcommon.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString rich = DescriptionText::toRichText(Fuzz::text(data, size));
    // The only tags are its own: line breaks and links.
    static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z]+)([^>]*)>"));
    for (auto it = tag.globalMatch(rich); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(2).toLower();
        FUZZ_ASSERT(name == QLatin1String("br") || name == QLatin1String("a"));
        if (name == QLatin1String("a") && match.captured(1).isEmpty()) {
            static const QRegularExpression href(QStringLiteral("^ href=\"([^\"]*)\"$"));
            const QRegularExpressionMatch link = href.match(match.captured(3));
            FUZZ_ASSERT(link.hasMatch());
            FUZZ_ASSERT(DescriptionText::isSafeLink(QUrl(link.captured(1))));
        }
    }
    return 0;
}
