#pragma once

#include <QString>
#include <optional>

// Where the shared tables (accounts, products, stock movements) live: the
// station folder's SQLite files (no setting, the default) or one central
// server named by a URL "postgresql://USER@HOST:PORT/DBNAME[?sslmode=MODE]".
// The password comes from ~/.pgpass or PGPASSWORD, never from the URL.
struct DatabaseLocation
{
    bool central = false;
    QString user;
    QString host;
    int port = 5432;
    QString name;
    QString sslMode; // empty: the client library's default

    // Empty text: the station folder. No value (and `error`, in Turkish) for
    // a text that names no server.
    static std::optional<DatabaseLocation> parse(const QString &text, QString *error = nullptr);

    // The URL again, for messages (it carries no password).
    QString display() const;
};
