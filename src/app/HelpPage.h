#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// A command's `--help` text read back into its parts, so the man pages and
// the shell completion follow whatever the help says, in whatever language.
struct HelpPage
{
    struct Entry
    {
        QString name; // "-h, --help", "--data-dir <dir>", "command", "init-demo"
        QString text; // the description, its wrapped lines joined
    };
    struct Section
    {
        QString heading; // as the help names it ("Options", "Seçenekler", "Commands")
        QList<Entry> entries;
    };

    QString usage;       // the usage line without its heading word
    QString description; // the text between the usage line and the first section
    QList<Section> sections;

    static HelpPage parse(QStringView helpText);

    // The option names of every entry that starts with a dash ("-h", "--help",
    // "--data-dir"), and those of them that take a value.
    QStringList optionNames() const;
    QStringList optionsWithValue() const;
};
