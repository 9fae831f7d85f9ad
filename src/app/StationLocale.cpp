#include "app/StationLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcStationLocale, "tavran.app.locale")

namespace StationLocale {

bool apply(QCoreApplication &app)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QLocale::setDefault(turkish);
    // Owned by the application, which keeps it installed until it ends.
    auto *translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(turkish, u"qtbase"_s, u"_"_s, folder)) {
        qCWarning(lcStationLocale) << "no Turkish translations of Qt in" << folder
                                   << "(package qt6-translations-l10n); dialogs stay English";
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace StationLocale
