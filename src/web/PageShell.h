#pragma once

#include <QByteArray>
#include <QString>

// The frame every plant page shares: escaping, the document around the
// sections (inline style, no file from outside), and the short error pages.
namespace PageShell {

// Where the pages' refresh script is served.
inline constexpr char16_t ScriptPath[] = u"/yenile.js";

// Safe inside element text and double- or single-quoted attributes.
QString escape(const QString &text);

// A whole page. `marker` is the data's change marker: while the page is
// open it polls `pollPath` and reloads its <main> when the marker moves.
QByteArray document(const QString &title, const QString &nav, const QString &main, const QString &marker,
                    const QString &pollPath);

// The refresh script every page with a poll path loads from ScriptPath.
QByteArray script();

// A short page for a failed request: the heading and one sentence.
QByteArray errorPage(const QString &heading, const QString &sentence);

} // namespace PageShell
