#include "accountssection.h"

#include <QObject>
#include <QtPlugin>

// The module's entry point: the settings window asks it by name for the section, so that neither
// side needs the other's headers.
class AccountsPlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.norvale.Tasklist.AccountsSection")
public:
    Q_INVOKABLE QWidget *createSection(QWidget *parent) { return new AccountsSection(parent); }
};

#include "accountsplugin.moc"
