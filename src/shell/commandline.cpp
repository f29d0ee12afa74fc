#include "commandline.h"

#include "instance.h"

#include <QCommandLineParser>

#include <cstdio>

#ifndef WIDGET_VERSION
#error "WIDGET_VERSION must be the project's version"
#endif

namespace {

const char program[] = "nvx-calendar-desktop-widget";

struct Option
{
    const char *shortName; // or nullptr
    const char *name;
    const char *valueName; // nullptr for an option without a value
    const char *description;
};

// Every option the widget takes, in the order --help lists them. An option is one line here;
// main() asks for it by its name.
const Option widgetOptions[] = {
    {"h", "help", nullptr, "Displays this help and exits."},
    {"v", "version", nullptr, "Displays the version and exits."},
    {nullptr, "instance", "NAME",
     "Runs the panel NAME (letters, digits, '_' and '-', at most 64) beside the default one, with "
     "settings, place and data of its own. One panel runs per name and session: a second start asks "
     "the running one to show itself."},
    {nullptr, "new-event", nullptr, "Opens the editor on a new event once the panel shows."},
    {nullptr, "settings", nullptr, "Opens the settings window once the panel shows."},
    {nullptr, "focus", nullptr,
     "Shows the running panel and gives it the keyboard (Esc gives it back); starts it if none runs."},
    {nullptr, "join-next", nullptr,
     "Joins the online meeting running now or beginning within 10 minutes, prints what it opened "
     "(or that there is none) and exits, without a panel: for a key of the desktop's."},
};

// Qt's own options, which the application and its platform plugins take from the arguments.
const Option qtOptions[] = {
    {nullptr, "platform", "name", nullptr},
    {nullptr, "platformpluginpath", "path", nullptr},
    {nullptr, "platformtheme", "name", nullptr},
    {nullptr, "plugin", "name", nullptr},
    {nullptr, "qwindowgeometry", "geometry", nullptr},
    {nullptr, "qwindowicon", "icon", nullptr},
    {nullptr, "qwindowtitle", "title", nullptr},
    {nullptr, "qmljsdebugger", "value", nullptr},
    {nullptr, "display", "name", nullptr},
    {nullptr, "geometry", "geometry", nullptr},
    {nullptr, "name", "name", nullptr},
    {nullptr, "title", "title", nullptr},
    {nullptr, "visual", "id", nullptr},
    {nullptr, "style", "style", nullptr},
    {nullptr, "stylesheet", "file", nullptr},
    {nullptr, "session", "id", nullptr},
    {nullptr, "reverse", nullptr, nullptr},
    {nullptr, "widgetcount", nullptr, nullptr},
    {nullptr, "nograb", nullptr, nullptr},
    {nullptr, "dograb", nullptr, nullptr},
    {nullptr, "sync", nullptr, nullptr},
};

QCommandLineOption toParserOption(const Option &option)
{
    QStringList names;
    if (option.shortName)
        names << QLatin1String(option.shortName);
    names << QLatin1String(option.name);
    return option.valueName ? QCommandLineOption(names, QString(), QLatin1String(option.valueName))
                            : QCommandLineOption(names);
}

QString namesOf(const Option &option)
{
    QString names =
        option.shortName ? QStringLiteral("-%1, ").arg(QLatin1String(option.shortName)) : QString();
    names += QStringLiteral("--") + QLatin1String(option.name);
    if (option.valueName)
        names += QStringLiteral(" <%1>").arg(QLatin1String(option.valueName));
    return names;
}

// The words of text in lines of at most width characters, each line after the first indented.
QString wrapped(const QString &text, int indent, int width)
{
    QString result;
    int column = indent;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (column > indent && column + 1 + word.size() > width) {
            result += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent) {
            result += QLatin1Char(' ');
            ++column;
        }
        result += word;
        column += int(word.size());
    }
    return result;
}

// In the layout of Qt's own --help, as the data server's is.
QString helpText()
{
    int nameWidth = 0;
    for (const Option &option : widgetOptions)
        nameWidth = qMax(nameWidth, int(namesOf(option).size()));
    const int indent = 2 + nameWidth + 2;
    QString text = QStringLiteral("Usage: %1 [options]\n").arg(QLatin1String(program));
    text +=
        wrapped(QStringLiteral("A panel on the desktop, below all other windows, that lists the calendar's "
                               "schedules of the coming days as tasks, from the calendar data server on the "
                               "session bus."),
                0, 79);
    text += QStringLiteral("\n\nOptions:\n");
    for (const Option &option : widgetOptions) {
        text += QStringLiteral("  ") + namesOf(option).leftJustified(nameWidth + 2);
        text += wrapped(QLatin1String(option.description), indent, 79) + QLatin1Char('\n');
    }
    text += QStringLiteral("\nQt's own options (-platform, -display, -session, ...) are taken too.\n");
    return text;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

[[nodiscard]] int fail(const QString &message)
{
    print(stderr,
          QStringLiteral("%1: %2\nTry '%1 --help' for its options.\n").arg(QLatin1String(program), message));
    return 2;
}

} // namespace

CommandLine::CommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), as the widget's may be.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option &option : widgetOptions)
        parser.addOption(toParserOption(option));
    for (const Option &option : qtOptions)
        parser.addOption(toParserOption(option));
    if (!parser.parse(arguments)) {
        exit = fail(parser.errorText());
        return;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, helpText());
        exit = 0;
        return;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QLatin1String(program), QStringLiteral(WIDGET_VERSION)));
        exit = 0;
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        exit =
            fail(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
        return;
    }
    if (parser.isSet(QStringLiteral("instance"))) {
        instanceName = parser.value(QStringLiteral("instance"));
        if (!Instance::isValidName(instanceName)) {
            exit =
                fail(QStringLiteral("--instance needs a name of letters, digits, '_' and '-' (at most 64)."));
            return;
        }
    }
    for (const Option &option : widgetOptions)
        if (!option.valueName && parser.isSet(QLatin1String(option.name)))
            given << QLatin1String(option.name);
}

bool CommandLine::isSet(const char *name) const
{
    return given.contains(QLatin1String(name));
}
