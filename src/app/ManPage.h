#pragma once

#include <QString>
#include <QStringList>

struct HelpPage;

// A section-1 man page in roff, written from a command's help.
namespace ManPage {

struct Title
{
    QString name;    // "tavran-label"
    QString summary; // the one line that follows the name in NAME
    QString version; // "tavran 0.1.0"
    QStringList seeAlso; // page names such as "tavran"
};

QString render(const HelpPage &page, const Title &title);

} // namespace ManPage
