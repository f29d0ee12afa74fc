#include "accountsmodule.h"

#include "viewlog.h"
#include "zmodules.h"

#include <QCoreApplication>
#include <QLabel>

namespace {
const QString moduleName = QStringLiteral("nvx-calendar-accounts");
} // namespace

QWidget *createAccountsSection(QWidget *parent)
{
    QString error;
    QWidget *section = nullptr;
    if (QObject *module = Zyk::loadModule(moduleName, &error)) {
        QMetaObject::invokeMethod(module, "createSection", Qt::DirectConnection,
                                  Q_RETURN_ARG(QWidget *, section), Q_ARG(QWidget *, parent));
        if (!section)
            error = QStringLiteral("no createSection(QWidget *) in the module");
    }
    if (section)
        return section;
    qCWarning(lcView).noquote() << "Online accounts are not available:" << error;
    auto *note = new QLabel(QCoreApplication::translate("SettingsWindow",
                                                        "Online accounts cannot be added here: their module "
                                                        "(%1) is not installed or does not load.")
                                .arg(moduleName),
                            parent);
    note->setObjectName(QStringLiteral("accountsMissing"));
    note->setWordWrap(true);
    return note;
}
