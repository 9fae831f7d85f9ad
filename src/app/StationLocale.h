#pragma once

class QCoreApplication;

// The station speaks Turkish whatever the machine's language is: dates,
// numbers, and the buttons and texts of Qt's own dialogs (message boxes, the
// calendar, the printer dialog).
namespace StationLocale {

// Makes Turkish the default locale and installs Qt's Turkish translations
// on `app`. False when the translations could not be loaded; the locale is
// set anyway.
bool apply(QCoreApplication &app);

} // namespace StationLocale
