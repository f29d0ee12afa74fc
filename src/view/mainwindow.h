#ifndef SCHEDULE_MAINWINDOW_H
#define SCHEDULE_MAINWINDOW_H

#include "datacenter.h"
#include "zguiapplicationhelper.h"
#include "zmainwindow.h"

#include <QPoint>

class QAbstractButton;
class QScrollArea;
class QVBoxLayout;
class TaskList;
namespace Zyk {
namespace Widget {
class ZButtonBox;
class ZButtonBoxButton;
} // namespace Widget
} // namespace Zyk

// The widget's only window: a translucent, borderless panel below all other windows.
class MainWindow : public Zyk::Widget::ZMainWindow
{
    Q_OBJECT
public:
    MainWindow();

    static QColor backgroundColor;

public Q_SLOTS:
    void onCalendarDataChanged();
    void onDayButtonClicked(QAbstractButton *dayButton);

private Q_SLOTS:
    void onThemeChanged(Zyk::Gui::ZGuiApplicationHelper::ColorType type);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void initDateButtons();
    void initTaskList();
    void initToolButtons();

    DisplayInfo displayInfo = DisplayOverview;
    QPoint pressPos;
    Zyk::Widget::ZButtonBox *dayButtonBox = nullptr;
    Zyk::Widget::ZButtonBox *toolButtonBox = nullptr;
    QScrollArea *scrollArea = nullptr;
    TaskList *taskList = nullptr;
    QVBoxLayout *mainLayout = nullptr;
    Zyk::Widget::ZButtonBoxButton *homeDayButton = nullptr;
    Zyk::Widget::ZButtonBoxButton *recentDayButton = nullptr;
};

#endif
