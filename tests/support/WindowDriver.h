#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Finds a control of the main window by its name, failing the test clearly
// when it is missing.
template <typename T = QWidget>
T *control(QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

#define CONTROL(type, window, name)                                                                \
    [&]() {                                                                                        \
        auto *found_ = control<type>(window, name);                                                \
        if (!found_)                                                                               \
            QTest::qFail(qPrintable(QStringLiteral("missing control ") + name), __FILE__, __LINE__); \
        return found_;                                                                             \
    }()
