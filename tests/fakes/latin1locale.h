#pragma once

#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif

// The readers must not depend on the locale's 8-bit encoding: a test runs them under one that
// cannot hold their texts. Qt 6 takes every locale's 8-bit encoding for UTF-8, so there it is moot.
class Latin1Locale
{
public:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    Latin1Locale() {}
#else
    Latin1Locale()
        : previous(QTextCodec::codecForLocale())
    {
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    }
    ~Latin1Locale() { QTextCodec::setCodecForLocale(previous); }
    Q_DISABLE_COPY(Latin1Locale)

private:
    QTextCodec *previous;
#endif
};
