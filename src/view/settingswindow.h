#ifndef SCHEDULE_SETTINGSWINDOW_H
#define SCHEDULE_SETTINGSWINDOW_H

#include "calendaridentity.h"
#include "widgetsettings.h"
#include "zguiapplicationhelper.h"
#include "zmainwindow.h"

#include <functional>

class CalendarsConf;
class QCheckBox;
class QComboBox;
class QKeySequenceEdit;
class QVBoxLayout;
class QLineEdit;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSlider;
class QSpinBox;

// Puts the user's choices into effect: the colours, whether the window's place is kept, the reminders,
// the hidden calendars, the form of dates, the panel's tint, size and text size.
void applySettings(const WidgetSettings &settings);
// Saves the size the user dragged the panel to, beside the choices last applied.
bool keepPanelSize(const QSize &size);

// The settings button's window, in the widget's own translucent style. Every change is saved and
// takes effect at once; there is nothing to confirm.
class SettingsWindow : public Zyk::Widget::ZMainWindow
{
    Q_OBJECT
public:
    explicit SettingsWindow(QWidget *parent = nullptr);

public Q_SLOTS:
    // What the file dialogs hand on: a calendar file or folder to serve, or an entry to drop.
    void addCalendar(const QString &path);
    void removeCalendar(const QString &entry);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *makeCalendarsSection();
    void connectCalendarEdits(QPushButton *addFileButton, QPushButton *addFolderButton,
                              QPushButton *addUrlButton);
    void subscribe(const QString &address);
    QWidget *makeRemindersSection();
    QWidget *makeShownCalendarsSection();
    QWidget *makeLookSection();
    QWidget *makeInvitationsSection();
    void makeTimeFormatBox(QWidget *section);
    void makeOpacitySlider(QWidget *section);
    void makeTextSizeControls(QWidget *section);
    void makeShortcutEdit(QWidget *section, QVBoxLayout *layout);
    void listCalendars(const QVector<CalendarIdentity> &calendars);
    void onShownCalendarChanged(QListWidgetItem *item);
    void saveLook(const std::function<bool(WidgetSettings &, QString *)> &change);
    friend bool keepPanelSize(const QSize &size);
    void saveReminders(const std::function<bool(WidgetSettings &, QString *)> &change);
    void readCalendars();
    void editCalendars(const std::function<void(CalendarsConf &)> &edit, const QString &failure);
    void onThemeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);
    void showError(const QString &error);

    WidgetSettings settings;
    QColor tint;
    QCheckBox *autostartBox;
    QListWidget *calendarList = nullptr;
    QLabel *calendarNote = nullptr;
    QPushButton *removeButton = nullptr;
    QComboBox *coloursBox;
    QCheckBox *keepPlaceBox;
    QCheckBox *remindersBox = nullptr;
    QSpinBox *snoozeBox = nullptr;
    QCheckBox *soundBox = nullptr;
    QCheckBox *desktopCalendarsBox = nullptr;
    QListWidget *shownCalendarList = nullptr;
    QComboBox *timeFormatBox = nullptr;
    QSlider *opacitySlider = nullptr;
    QCheckBox *desktopTextBox = nullptr;
    QSlider *textSizeSlider = nullptr;
    QComboBox *declinedBox = nullptr;
    QCheckBox *undatedBox = nullptr;
    QCheckBox *weekNumbersBox = nullptr;
    QKeySequenceEdit *shortcutEdit = nullptr;
    QLineEdit *addressesEdit = nullptr;
    QLabel *errorLabel;
};

#endif
