#pragma once

#include <QString>

// The database engine's and the network's messages are English; the
// operator reads Turkish. forOperator() puts a Turkish phrase in place of
// each engine message it knows, drops the engine's operation prefixes
// ("insert: "), and replaces an English message it does not know with a
// Turkish one. The station's own Turkish text stays as it is. Callers log
// the original text.
namespace EngineText {

QString forOperator(const QString &text);

} // namespace EngineText
