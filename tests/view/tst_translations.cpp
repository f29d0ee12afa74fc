#include "mainwindow.h"
#include "taskitem.h"
#include "ztranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const char *const printTexts = "--print-texts";
const QStringList toolButtons{"editButton", "settingButton", "homeButton", "warnButton", "closeButton"};

// The child's part: the texts a user meets first, as this process's locale shows them.
int printShownTexts(int argc, char **argv)
{
    QApplication app(argc, argv);
    Zyk::Widget::installTranslations("tasklist");
    QJsonArray menu;
    const TaskMenu taskMenu;
    // The modes, which every task's menu has; what follows the separator depends on the task.
    for (const QAction *action : taskMenu.actions()) {
        if (action->isSeparator())
            break;
        menu << action->text();
    }
    QJsonArray tips;
    const MainWindow window;
    for (const QString &name : toolButtons)
        tips << window.findChild<QAbstractButton *>(name)->toolTip();
    const QJsonObject texts{
        {"menu", menu}, {"tips", tips}, {"qt", QCoreApplication::translate("QPlatformTheme", "Cancel")}};
    fputs(QJsonDocument(texts).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownTexts_data();
    void shownTexts();
    void catalogueComplete_data();
    void catalogueComplete();
};

void TestTranslations::shownTexts_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QStringList>("tips");
    QTest::addColumn<QString>("qtText");

    const QStringList english{"Open in Calendar", "Countdown mode", "Pinned mode", "Normal mode"};
    const QStringList chinese{"在日历中打开", "倒计时模式", "置顶模式", "正常模式"};
    const QStringList englishTips{"Open calendar", "Settings", "Overview", "Recent days", "Close"};
    const QStringList chineseTips{"打开日历", "设置", "概览", "最近几天", "关闭"};
    QTest::newRow("en_US") << QStringList{"LANG=en_US.UTF-8"} << english << englishTips << "Cancel";
    QTest::newRow("zh_CN") << QStringList{"LANG=zh_CN.UTF-8"} << chinese << chineseTips << "取消";
    // No translation: the texts as the sources have them.
    QTest::newRow("C") << QStringList{"LANG=C"} << chinese << englishTips << "Cancel";
    // Qt has an Italian translation of its own, the widget none: neither is loaded, so that one
    // window never mixes two languages.
    QTest::newRow("it_IT, untranslated")
        << QStringList{"LANG=it_IT.UTF-8"} << chinese << englishTips << "Cancel";
    // Qt's texts follow the language found, not the first one asked for.
    QTest::newRow("de, after an untranslated language")
        << QStringList{"LANG=it_IT.UTF-8", "LANGUAGE=it:de"}
        << QStringList{"Im Kalender öffnen", "Countdown-Modus", "Anheftmodus", "Normalmodus"}
        << QStringList{"Kalender öffnen", "Einstellungen", "Übersicht", "Letzte Tage", "Schließen"}
        << "Abbrechen";
    QTest::newRow("fr_FR, LC_ALL before LANG")
        << QStringList{"LANG=en_US.UTF-8", "LC_ALL=fr_FR.UTF-8"}
        << QStringList{"Ouvrir dans le calendrier", "Mode compte à rebours", "Mode épinglé", "Mode normal"}
        << QStringList{"Ouvrir le calendrier", "Paramètres", "Vue d’ensemble", "Derniers jours", "Fermer"}
        << "Annuler";
    QTest::newRow("es_ES, LC_MESSAGES")
        << QStringList{"LANG=ru_RU.UTF-8", "LC_MESSAGES=es_ES.UTF-8"}
        << QStringList{"Abrir en el calendario", "Modo cuenta atrás", "Modo fijado", "Modo normal"}
        << QStringList{"Abrir calendario", "Configuración", "Vista general", "Días recientes", "Cerrar"}
        << "Cancelar";
    QTest::newRow("pt_BR") << QStringList{"LANG=pt_BR.UTF-8"}
                           << QStringList{"Abrir no calendário", "Modo contagem regressiva", "Modo fixado",
                                          "Modo normal"}
                           << QStringList{"Abrir calendário", "Configurações", "Visão geral", "Dias recentes",
                                          "Fechar"}
                           << "Cancelar";
    QTest::newRow("ru, LANGUAGE") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=ru"}
                                  << QStringList{"Открыть в календаре", "Режим обратного отсчёта",
                                                 "Режим закрепления", "Обычный режим"}
                                  << QStringList{"Открыть календарь", "Настройки", "Обзор", "Последние дни",
                                                 "Закрыть"}
                                  << "Отмена";
    QTest::newRow("ja_JP") << QStringList{"LANG=ja_JP.UTF-8"}
                           << QStringList{"カレンダーで開く", "カウントダウンモード", "ピン留めモード",
                                          "通常モード"}
                           << QStringList{"カレンダーを開く", "設定", "概要", "最近の数日", "閉じる"}
                           << "キャンセル";
    QTest::newRow("LANGUAGE before LANG")
        << QStringList{"LANG=zh_CN.UTF-8", "LANGUAGE=en"} << english << englishTips << "Cancel";
    QTest::newRow("LC_MESSAGES before LANG")
        << QStringList{"LANG=en_US.UTF-8", "LC_MESSAGES=zh_CN.UTF-8"} << chinese << chineseTips << "取消";
}

void TestTranslations::shownTexts()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, menu);
    QFETCH(QStringList, tips);
    QFETCH(QString, qtText);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        env.remove(name);
    for (const QString &setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {printTexts});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    const QJsonObject texts = QJsonDocument::fromJson(child.readAllStandardOutput()).object();

    QCOMPARE(texts.value("menu").toVariant().toStringList(), menu);
    QCOMPARE(texts.value("tips").toVariant().toStringList(), tips);
    QCOMPARE(texts.value("qt").toString(), qtText);
}

void TestTranslations::catalogueComplete_data()
{
    QTest::addColumn<QString>("catalogue");
    const QDir dir(TASKLIST_TS_DIR);
    const QStringList catalogues = dir.entryList({"*.ts"});
    QVERIFY(catalogues.size() >= 2);
    for (const QString &file : catalogues)
        QTest::newRow(qPrintable(file)) << dir.filePath(file);
}

// A text added to the code without its translation, or one left behind by the code, fails here:
// lupdate brings a copy of the catalogue up to date with the sources, which must find nothing to do.
void TestTranslations::catalogueComplete()
{
    QFETCH(QString, catalogue);
    QTemporaryDir dir;
    const QString copy = dir.filePath(QFileInfo(catalogue).fileName());
    QVERIFY(QFile::copy(catalogue, copy));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(LUPDATE_EXECUTABLE, {"-locations", "none", TASKLIST_SOURCE_DIR, "-ts", copy});
    QVERIFY(lupdate.waitForFinished(60000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

    QFile updated(copy);
    QVERIFY(updated.open(QIODevice::ReadOnly));
    const QByteArray text = updated.readAll();
    for (const char *fault : {"type=\"unfinished\"", "type=\"vanished\"", "type=\"obsolete\""}) {
        const int at = text.indexOf(fault);
        QVERIFY2(at < 0, qPrintable(QString("%1 in %2 near: %3")
                                        .arg(QLatin1String(fault), catalogue,
                                             QString::fromUtf8(text.mid(at - 200, 260)))));
    }
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], printTexts) == 0)
        return printShownTexts(argc, argv);
    QApplication app(argc, argv);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
