#include "windowplace.h"

#include "savefile.h"
#include "viewlog.h"
#include "zplatform.h"

#include <QDebug>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <limits>

namespace {

QString placeFile;
bool keepingPlace = true;

// X11 coordinates are 16-bit; a number far beyond any desktop comes from a damaged file.
constexpr int farthestCoordinate = 1 << 20;

} // namespace

namespace WindowPlace {

void setFile(const QString &path)
{
    placeFile = path;
}

void setKeeping(bool keep)
{
    keepingPlace = keep;
}

bool keeping()
{
    return keepingPlace;
}

std::optional<QPoint> kept()
{
    if (!keepingPlace || placeFile.isEmpty() || !QFile::exists(placeFile))
        return std::nullopt;
    QFile file(placeFile);
    bool xRead = false;
    bool yRead = false;
    QPoint place;
    if (file.open(QIODevice::ReadOnly)) {
        // One line, "x y"; a longer file is not ours.
        const QList<QByteArray> numbers = file.read(64).simplified().split(' ');
        if (numbers.size() == 2 && file.atEnd())
            place = QPoint(numbers.at(0).toInt(&xRead), numbers.at(1).toInt(&yRead));
    }
    if (xRead && yRead && qAbs(place.x()) <= farthestCoordinate && qAbs(place.y()) <= farthestCoordinate)
        return place;
    const QString reason =
        file.error() == QFileDevice::NoError ? QString() : QStringLiteral(" (%1)").arg(file.errorString());
    qCWarning(lcView).noquote() << QStringLiteral(
                                       "The window's place could not be read from \"%1\"%2; the widget "
                                       "starts at its first place.")
                                       .arg(placeFile, reason);
    return std::nullopt;
}

bool keep(const QPoint &place)
{
    if (!keepingPlace || placeFile.isEmpty())
        return true;
    const QByteArray text = QByteArray::number(place.x()) + ' ' + QByteArray::number(place.y()) + '\n';
    QString error;
    const bool kept = saveFileAtomically(placeFile, text, &error);
    if (!kept)
        qCWarning(lcView).noquote()
            << QStringLiteral("Cannot keep the window's place in \"%1\": %2").arg(placeFile, error);
    return kept;
}

QPoint beside(const QRect &panel, const QSize &size, const QRect &screen)
{
    QRect window(QPoint(), size);
    const int top = std::max(screen.top(), std::min(panel.top(), screen.bottom() + 1 - window.height()));
    window.moveTopLeft(QPoint(panel.right() + 16, top));
    if (!screen.contains(window))
        window.moveTopRight(QPoint(panel.left() - 16, top));
    if (!screen.contains(window))
        window.moveCenter(screen.center());
    return window.topLeft();
}

QPoint onScreens(const QRect &window, const QVector<QRect> &screens)
{
    const QRect *nearest = nullptr;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const QRect visible = window & screen;
        if (visible.width() >= minimumGrabbableSide && visible.height() >= minimumGrabbableSide)
            return window.topLeft();
        const qint64 dx = qMax<qint64>(
            0, qMax<qint64>(qint64(screen.left()) - window.right(), qint64(window.left()) - screen.right()));
        const qint64 dy = qMax<qint64>(
            0, qMax<qint64>(qint64(screen.top()) - window.bottom(), qint64(window.top()) - screen.bottom()));
        if (dx * dx + dy * dy < nearestDistance) {
            nearestDistance = dx * dx + dy * dy;
            nearest = &screen;
        }
    }
    if (!nearest)
        return window.topLeft();
    // qBound favours the lower bound: a window larger than the screen keeps its top-left corner on it.
    return {qBound(nearest->left(), window.left(), nearest->right() + 1 - window.width()),
            qBound(nearest->top(), window.top(), nearest->bottom() + 1 - window.height())};
}

Follower::Follower(QWidget *window, const QPoint &userPlace)
    : QObject(window)
    , window(window)
    , user(userPlace)
    , settle(new QTimer(this))
{
    settle->setSingleShot(true);
    settle->setInterval(0);
    connect(settle, &QTimer::timeout, this, &Follower::follow);
    // Through the timer also because Qt announces a screen that goes before it leaves screens().
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &Follower::watch);
    connect(qGuiApp, &QGuiApplication::screenRemoved, settle, qOverload<>(&QTimer::start));
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens)
        watch(screen);
    follow();
}

void Follower::watch(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, settle, qOverload<>(&QTimer::start));
    connect(screen, &QScreen::availableGeometryChanged, settle, qOverload<>(&QTimer::start));
    settle->start();
}

void Follower::follow()
{
    QVector<QRect> screens;
    const QList<QScreen *> all = QGuiApplication::screens();
    for (const QScreen *screen : all)
        screens << screen->availableGeometry();
    // Also where the place is unchanged: on layer-shell the surface may have gone with its output.
    Zyk::Platform::placeWindow(window, onScreens(QRect(user, window->size()), screens));
}

} // namespace WindowPlace
