#include "announce.h"

#include <QAccessible>
#include <QWidget>

void announceError(QWidget *label)
{
    QAccessibleEvent alert(label, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
