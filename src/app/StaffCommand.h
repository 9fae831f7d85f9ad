#pragma once

#include <QStringList>
#include <QTextStream>

// `tavran staff reset NAME`: removes a staff member's password, so the
// member's next entry on the keypad sets a new one.
namespace StaffCommand {

int run(const QStringList &arguments, const QString &folder, QTextStream &out, QTextStream &err);

} // namespace StaffCommand
