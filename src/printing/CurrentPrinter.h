#pragma once

#include <QString>

class QPrinter;

// The program's one current printer. Document routines make the printer
// remembered for their document current before they print; the choice holds
// for every later job until the next one.
class CurrentPrinter
{
public:
    static QPrinter &printer();
    // The queue's name; empty when no printer is installed.
    static QString deviceName();

    // Makes the first installed printer whose name equals `deviceName`
    // exactly the current one; false, and nothing changed, when none does.
    static bool select(const QString &deviceName);
    // Same for the name remembered under a document key ("FisYaz", "PktYaz").
    static bool selectRemembered(const QString &documentKey);
    // Makes the printer remembered under `documentKey` current. Empty when it
    // is, or when nothing is remembered (the current printer stays); else why
    // the document cannot be printed: its scheduler, its queue.
    static QString useRemembered(const QString &documentKey);
};
