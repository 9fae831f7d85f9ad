#pragma once

#include <QPoint>
#include <QString>
#include <optional>

class QWidget;

// The station's modal questions and messages go through this seam so tests
// can answer them without a human. The default shows QInputDialog and
// QMessageBox.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // An input box; no value when cancelled. `position` is a screen position
    // for the box's top-left corner, or null for centred.
    virtual std::optional<QString> inputBox(QWidget *parent, const QString &prompt,
                                            const QString &title, const QString &defaultText,
                                            QPoint position = {}) = 0;
    // A message box with an exclamation icon and an OK button.
    virtual void exclamation(QWidget *parent, const QString &text) = 0;

    static Prompts &instance();
    // Replaces the prompts (tests); nullptr restores the dialogs.
    static void install(Prompts *prompts);
};
