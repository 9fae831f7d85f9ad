#include "app/HelpDocs.h"

#include "app/BashCompletion.h"
#include "app/HelpPage.h"
#include "app/ManPage.h"
#include "app/Subcommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace HelpDocs {
namespace {

bool save(const QString &path, const QString &text, QTextStream &err)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    err << "tavran: yazılamadı: " << path << ": " << file.errorString() << Qt::endl;
    return false;
}

// What `tavran NAME --help` prints, asked of the command itself.
QString commandHelp(const Subcommand &command)
{
    QString help;
    QString ignored;
    QTextStream out(&help);
    QTextStream err(&ignored);
    command.run({command.name.toString(), u"--help"_s}, QString(), out, err);
    out.flush();
    return help;
}

} // namespace

int write(const QString &folder, const QString &mainHelp, QTextStream &err)
{
    if (!QDir().mkpath(folder)) {
        err << "tavran: klasör oluşturulamadı: " << folder << Qt::endl;
        return 1;
    }
    const QDir dir(folder);
    const QString version = u"tavran "_s + QCoreApplication::applicationVersion();
    const HelpPage main = HelpPage::parse(mainHelp);

    QStringList pages;
    QList<BashCompletion::Command> commands;
    bool written = true;
    for (const Subcommand &command : Subcommands::all()) {
        const QString name = command.name.toString();
        const HelpPage page = HelpPage::parse(commandHelp(command));
        const QString pageName = u"tavran-"_s + name;
        written &= save(dir.filePath(pageName + u".1"_s),
                        ManPage::render(page, {pageName, command.summary.toString(), version,
                                               {u"tavran"_s}}),
                        err);
        pages << pageName;
        commands.append({name, page});
    }
    // The first sentence of the description is the program's one line.
    const QString summary = main.description.section(u". "_s, 0, 0).remove(u'.');
    written &= save(dir.filePath(u"tavran.1"_s),
                    ManPage::render(main, {u"tavran"_s, summary, version, pages}), err);
    written &= save(dir.filePath(u"tavran.bash-completion"_s),
                    BashCompletion::render(u"tavran"_s, main, commands), err);
    return written ? 0 : 1;
}

} // namespace HelpDocs
