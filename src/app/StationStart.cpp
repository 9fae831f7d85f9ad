#include "app/StationStart.h"

#include "app/DriveHook.h"
#include "app/Form1.h"
#include "ui_support/GloveSize.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLockFile>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QScreen>
#include <QStyleFactory>
#include <QTextStream>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcStart, "tavran.app.start")

namespace StationStart {
namespace {

// Long enough to read the folder's name; a kiosk with nobody there still
// gets its exit code.
constexpr int RefusalShownMs = 4000;

void refuse(const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    // An operator who started the station from a desktop sees no terminal.
    const QString platform = QGuiApplication::platformName();
    if (platform == u"offscreen"_s || platform == u"minimal"_s)
        return;
    QMessageBox box(QMessageBox::Critical, u"Tavran"_s, message, QMessageBox::Ok);
    GloveSize::fitDialog(&box, nullptr);
    QTimer::singleShot(RefusalShownMs, &box, &QDialog::accept);
    box.exec();
}

} // namespace

int run(const QString &folder, bool fullScreen)
{
    // The order table belongs to one station: a second window on the same
    // folder would book the same rows. The lock goes with the process, so a
    // station that was killed leaves no lock behind that counts.
    QLockFile lock(QDir(folder).filePath(u"Tavran.lock"_s));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        if (lock.error() == QLockFile::LockFailedError) {
            refuse(u"Bu istasyon klasörü başka bir Tavran penceresinde açık: %1"_s
                       .arg(QDir::toNativeSeparators(folder)));
            return 1;
        }
        qCWarning(lcStart) << "cannot lock the station folder" << folder << lock.error();
    }

    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    QApplication::setApplicationDisplayName(u"Tavran"_s);
    QApplication::setFont(QFont(u"Liberation Sans"_s, 11));
    Form1 window(folder);
    DriveHook hook(window);
    if (fullScreen) {
        // Without a window manager nobody acts on the full-screen request;
        // the geometry alone fills the screen then.
        if (QScreen *screen = window.screen())
            window.setGeometry(screen->geometry());
        window.showFullScreen();
    } else {
        window.show();
    }
    return QApplication::exec();
}

} // namespace StationStart
