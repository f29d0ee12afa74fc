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

QTEST_GUILESS_MAIN(TestIcsDocument)
#include "tst_icsdocument.moc"
