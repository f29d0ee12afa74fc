#include "announce.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr char noticeProperty[] = "errorNotice";

// Qt 5.15's bridge to AT-SPI drops QAccessible::Alert, and Orca reads out neither a label that
// shows nor its new text while the focus is elsewhere; a notification that shows
// (object:state-changed:showing) it reads at once. Tested in tst_atspi.
class ErrorNotice : public QAccessibleWidget
{
public:
    explicit ErrorNotice(QLabel *label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *errorNotices(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object->property(noticeProperty).toBool())
        return new ErrorNotice(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

void makeErrorNotice(QLabel *label)
{
    static const bool installed = [] {
        QAccessible::installFactory(errorNotices);
        return true;
    }();
    Q_UNUSED(installed)
    label->setProperty(noticeProperty, true);
    // Made now, not when the error shows: Qt 5.15 gives a new accessible object the bus path of the
    // one made last if that one is gone, and tells no client of its end. After the subscription
    // dialog had closed, the notification came on the dialog's path, and Orca, which keeps a role
    // once read, took it for that dialog and did not read it.
    QAccessible::queryAccessibleInterface(label);
}

void announceError(QLabel *label)
{
    if (label->isHidden()) {
        label->show();
        return;
    }
    // Shown already, with the error before: a notification is read when it shows, not when its
    // text changes, so it is said to show once more where no announcement can be made.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(label, label->text());
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&announcement);
#else
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}
