#include "icsdocument.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The layer that edits calendar files: whatever it does not change must come out byte for byte.
class TestIcsDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void rejects_data();
    void rejects();
    void foldsLongUtf8Lines();
    void escapesText();
    void wrapsBareEvents();
    void outlineAgreesWithParse_data();
    void outlineAgreesWithParse();
    void outlineSignatures();
    void mayHoldKey_data();
    void mayHoldKey();
};

void TestIcsDocument::roundTrip_data()
{
    QTest::addColumn<QString>("path");
    const QFileInfoList files =
        QDir(QStringLiteral(TESTDATA_DIR)).entryInfoList({"*.ics"}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (file.fileName() != QLatin1String("truncated.ics"))
            QTest::newRow(qPrintable(file.fileName())) << file.absoluteFilePath();
    }
}

void TestIcsDocument::roundTrip()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    IcsDocument document;
    QVERIFY2(document.parse(data), qPrintable(document.errorText));
    QCOMPARE(document.toByteArray(), data);
}

void TestIcsDocument::rejects_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("why");

    QTest::newRow("truncated") << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\n") << 2
                               << "BEGIN:VEVENT is never closed";
    QTest::newRow("mismatched END") << QByteArray(
                                           "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:x\nEND:VTODO\nEND:VCALENDAR\n")
                                    << 4 << "END:VTODO does not close BEGIN:VEVENT of line 2";
    QTest::newRow("not iCalendar") << QByteArray("hello world\n") << 1 << "not an iCalendar content line";
    QTest::newRow("stray END") << QByteArray("END:VEVENT\n") << 1 << "END:VEVENT without BEGIN";
    QTest::newRow("property outside")
        << QByteArray("BEGIN:VEVENT\nEND:VEVENT\nUID:x\n") << 3 << "content line outside of any component";
    QTest::newRow("no components") << QByteArray("\r\n\r\n") << 1 << "no calendar data";
}

void TestIcsDocument::rejects()
{
    QFETCH(QByteArray, data);
    QFETCH(int, line);
    QFETCH(QString, why);
    IcsDocument document;
    QVERIFY(!document.parse(data));
    QCOMPARE(document.errorLine, line);
    QCOMPARE(document.errorText, why);
    QVERIFY(document.top.isEmpty());
}

void TestIcsDocument::foldsLongUtf8Lines()
{
    const QString text = QStringLiteral("SUMMARY:") + QString::fromUtf8("Grüße aus Köln 🎉 ").repeated(12);
    const QStringList lines = Ics::fold(text);
    QVERIFY(lines.size() > 3);
    QString unfolded = lines.first();
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray bytes = lines.at(i).toUtf8();
        QVERIFY2(bytes.size() <= 75, bytes.constData());
        QCOMPARE(QString::fromUtf8(bytes), lines.at(i)); // no sequence cut in half
        if (i > 0) {
            QVERIFY(lines.at(i).startsWith(QLatin1Char(' ')));
            unfolded += lines.at(i).mid(1);
        }
    }
    QCOMPARE(unfolded, text);
    QCOMPARE(IcsNode::property(text).value(), text.mid(8));

    // Over-long lines are folded before the library reads them: the same text, the same lines.
    const QByteArray file = "BEGIN:VEVENT\r\nUID:x\r\n" + text.toUtf8() + "\r\nEND:VEVENT\r\n";
    QVector<IcsFault> refolded;
    const QByteArray folded = IcsDocument::refold(file, 100, &refolded);
    QCOMPARE(refolded.size(), 1);
    QCOMPARE(refolded.first().line, 3);
    IcsDocument document;
    QVERIFY(document.parse(folded));
    QCOMPARE(document.components().first().propertyValue(QStringLiteral("SUMMARY")), text.mid(8));
    for (const QByteArray &line : folded.split('\n')) {
        QVERIFY(line.size() <= 76);
        QCOMPARE(QString::fromUtf8(line).toUtf8(), line);
    }
    QVERIFY(IcsDocument::refold(file, 1000, &refolded) == file);
    QCOMPARE(refolded.size(), 1);
}

void TestIcsDocument::escapesText()
{
    QCOMPARE(Ics::escapeText(QStringLiteral("a,b;c\\d\r\ne")), QStringLiteral("a\\,b\\;c\\\\d\\ne"));
}

void TestIcsDocument::wrapsBareEvents()
{
    IcsDocument document;
    QVERIFY(
        document.parse("BEGIN:VEVENT\nUID:x\nDTSTART;TZID=\"Europe/Berlin\":20240101T090000\nEND:VEVENT\n"));
    QVERIFY(document.isBare());
    QCOMPARE(document.components().size(), 1);
    QCOMPARE(document.components().first().find(QStringLiteral("DTSTART"))->parameter(QStringLiteral("tzid")),
             QStringLiteral("Europe/Berlin"));
    document.wrapInCalendar();
    QVERIFY(!document.isBare());
    QCOMPARE(document.components().size(), 3);
    QCOMPARE(
        document.toByteArray(),
        QByteArray(
            "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Norvale//tasklist-dataserver//EN\nBEGIN:VEVENT\nUID:x\n"
            "DTSTART;TZID=\"Europe/Berlin\":20240101T090000\nEND:VEVENT\nEND:VCALENDAR\n"));
}

// A search parses only the events this lets through: a false "no" loses a found event for good.
void TestIcsDocument::mayHoldKey_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("held");

    const QByteArray event = "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Board meeting\r\nEND:VEVENT\r\n";
    QTest::newRow("absent") << event << "dentist" << false;
    QTest::newRow("other case") << event << "BOARD Meeting" << true;
    QTest::newRow("across a CRLF fold")
        << QByteArray("SUMMARY:Quarterly re\r\n view\r\n") << "review" << true;
    QTest::newRow("across a LF fold with a tab")
        << QByteArray("SUMMARY:Quarterly re\n\tview\n") << "review" << true;
    QTest::newRow("a fold is no space") << QByteArray("SUMMARY:re\r\n view\r\n") << "re view" << false;
    QTest::newRow("escaped comma and semicolon")
        << QByteArray("LOCATION:Room 4\\, floor 2\\; east\r\n") << "4, floor 2; east" << true;
    QTest::newRow("escaped newline, either case")
        << QByteArray("DESCRIPTION:one\\Ntwo\\nthree\r\n") << "one\ntwo\nthree" << true;
    QTest::newRow("escaped backslash") << QByteArray("DESCRIPTION:C:\\\\temp\r\n") << "c:\\temp" << true;
    QTest::newRow("escape is not its letter") << QByteArray("DESCRIPTION:a\\nb\r\n") << "anb" << false;
    QTest::newRow("KELVIN SIGN folds to k")
        << QByteArray("SUMMARY:\xe2\x84\xaaick-off\r\n") << "kick" << true;
    QTest::newRow("LONG S folds to s") << QByteArray("SUMMARY:Me\xc5\xbf\xc5\xbf"
                                                     "e\r\n")
                                       << "messe" << true;
    QTest::newRow("key beyond ASCII") << event << QString::fromUtf8("Café") << true;
    QTest::newRow("empty key") << event << QString() << true;
}

void TestIcsDocument::mayHoldKey()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, key);
    QFETCH(bool, held);
    QCOMPARE(IcsDocument::mayHold(text.constData(), text.size(), key), held);
}

QTEST_GUILESS_MAIN(TestIcsDocument)
#include "tst_icsdocument.moc"

void TestIcsDocument::outlineAgreesWithParse_data()
{
    QTest::addColumn<QByteArray>("data");
    const QFileInfoList files =
        QDir(QStringLiteral(TESTDATA_DIR)).entryInfoList({"*.ics"}, QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        QFile file(info.absoluteFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(info.fileName())) << file.readAll();
    }
    QTest::newRow("truncated") << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\n");
    QTest::newRow("mismatched END") << QByteArray(
        "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:x\nEND:VTODO\nEND:VCALENDAR\n");
    QTest::newRow("not iCalendar") << QByteArray("hello world\n");
    QTest::newRow("stray END") << QByteArray("END:VEVENT\n");
    QTest::newRow("property outside") << QByteArray("BEGIN:VEVENT\nEND:VEVENT\nUID:x\n");
    QTest::newRow("no components") << QByteArray("\r\n\r\n");
    QTest::newRow("bare event") << QByteArray("BEGIN:VEVENT\r\nUID:x\r\nEND:VEVENT\r\n");
    QTest::newRow("folded names") << QByteArray(
        "BEGIN:VCAL\r\n ENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\nEND:VEV\r\n\tENT\r\n"
        "END:VCALENDAR\r\n");
    QTest::newRow("folded mismatch") << QByteArray(
        "BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:VEV\n TODO\nEND:VCALENDAR\n");
    QTest::newRow("lower case, spaces") << QByteArray(" begin : vcalendar\nend:VCALENDAR \n");
    QTest::newRow("quoted colon") << QByteArray("BEGIN:VEVENT\nX-A;P=\"a:b\"\nEND:VEVENT\n");
    QTest::newRow("non-ASCII outside") << QByteArray("BEGIN:VEVENT\nEND:VEVENT\nSUMMARY:Caf\xc3\xa9\n");
    QTest::newRow("non-ASCII name") << QByteArray("BEGIN:VEVENT\nX-CAF\xc3\x89\nEND:VEVENT\n");
    QTest::newRow("non-breaking space line") << QByteArray("BEGIN:VEVENT\n\xc2\xa0\nEND:VEVENT\n");
    QTest::newRow("old Mac line ends")
        << QByteArray("BEGIN:VCALENDAR\rBEGIN:VEVENT\rUID:x\rSUMMARY:a\r  b\rEND:VEVENT\rEND:VCALENDAR\r");
    QTest::newRow("old Mac line ends, a broken line")
        << QByteArray("BEGIN:VEVENT\rUID:x\rno colon\rEND:VEVENT\r");
    QTest::newRow("invalid UTF-8") << QByteArray("BEGIN:VEVENT\nSUMMARY:\xff\xfe\nEND:VEVENT\nEND:VX\n");
}

void TestIcsDocument::outlineAgreesWithParse()
{
    // The store reads files through the outline alone; an edit parses them in full. Both must
    // take and refuse the same files, for the same reasons.
    QFETCH(QByteArray, data);
    IcsDocument document;
    const bool parsed = document.parse(data);
    IcsOutline outline;
    QCOMPARE(IcsDocument::outline(data, outline), parsed);
    QCOMPARE(outline.errorLine, document.errorLine);
    QCOMPARE(outline.errorText, document.errorText);
    if (parsed) {
        QCOMPARE(outline.bare, document.isBare());
        QStringList uids;
        for (const IcsNode &node : document.components()) {
            if (node.component && node.name != QLatin1String("VTIMEZONE"))
                uids << node.propertyValue(QStringLiteral("UID")).trimmed();
        }
        uids.removeDuplicates();
        uids.sort();
        QStringList keys = outline.signatures.keys();
        keys.sort();
        QCOMPARE(keys, uids);
        // An edit works each UID's signature out from its incidences alone.
        QCOMPARE(outline.uidHashes.size(), outline.incidences.size());
        const quint64 context = IcsDocument::contextHash(data, outline.incidences);
        for (auto it = outline.signatures.cbegin(); it != outline.signatures.cend(); ++it) {
            QVector<QPair<int, int>> spans;
            for (int i = 0; i < outline.incidences.size(); ++i) {
                if (outline.uidHashes.at(i) == IcsDocument::uidHash(it.key()))
                    spans << outline.incidences.at(i);
            }
            QVERIFY(!spans.isEmpty());
            QCOMPARE(IcsDocument::signature(data, spans, context), it.value());
        }
    } else {
        QVERIFY(outline.signatures.isEmpty());
    }
}

void TestIcsDocument::outlineSignatures()
{
    const QByteArray zone =
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    const QByteArray first =
        "BEGIN:VEVENT\r\nUID:first\r\nDTSTART:20240101T090000Z\r\nSUMMARY:One\r\nEND:VEVENT\r\n";
    const QByteArray second =
        "BEGIN:VEVENT\r\nUID:second\r\nDTSTART:20240102T090000Z\r\nSUMMARY:Two\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VEVENT\r\n";
    const QByteArray override = "BEGIN:VEVENT\r\nUID:second\r\nRECURRENCE-ID:20240109T090000Z\r\n"
                                "DTSTART:20240109T100000Z\r\nEND:VEVENT\r\n";
    auto signatures = [](const QByteArray &body) {
        IcsOutline outline;
        const QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n";
        return IcsDocument::outline(text, outline) ? outline.signatures : QHash<QString, quint64>();
    };
    const QHash<QString, quint64> before = signatures(zone + first + second);
    QCOMPARE(before.size(), 2);
    QVERIFY(before.value("first") != before.value("second"));
    QCOMPARE(signatures(zone + first + second), before);

    // An edit of one event tells that event alone.
    const QHash<QString, quint64> retitled =
        signatures(zone + QByteArray(first).replace("One", "Uno") + second);
    QVERIFY(retitled.value("first") != before.value("first"));
    QCOMPARE(retitled.value("second"), before.value("second"));
    const QHash<QString, quint64> alarm =
        signatures(zone + first + QByteArray(second).replace("PT5M", "PT9M"));
    QCOMPARE(alarm.value("first"), before.value("first"));
    QVERIFY(alarm.value("second") != before.value("second"));
    const QHash<QString, quint64> overridden = signatures(zone + first + second + override);
    QCOMPARE(overridden.value("first"), before.value("first"));
    QVERIFY(overridden.value("second") != before.value("second"));

    // Time zones and calendar properties bear on every event.
    const QHash<QString, quint64> rezoned =
        signatures(QByteArray(zone).replace("+0100", "+0000") + first + second);
    QVERIFY(rezoned.value("first") != before.value("first"));
    QVERIFY(rezoned.value("second") != before.value("second"));
}
