#pragma once

#include <QByteArray>
#include <QString>

// The Turkish login form of the web pages (/giris, posted back to itself).
namespace LoginPage {

// `message` says why the last attempt failed; `next` is where a correct
// login goes on to.
QByteArray html(const QString &message = {}, const QString &name = {}, const QString &next = {});

} // namespace LoginPage
