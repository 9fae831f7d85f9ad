#pragma once

#include <QString>

namespace ControlName {

// The object name of a control array member: "Command6(0)".
inline QString indexed(const QString &name, int index)
{
    return name + u'(' + QString::number(index) + u')';
}

} // namespace ControlName
