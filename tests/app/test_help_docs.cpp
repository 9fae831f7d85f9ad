#include "app/HelpPage.h"
#include "app/ManPage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The man pages and the bash completion the build writes from the help: read
// back by groff and by bash, as a reader and a shell would use them.
class TestHelpDocs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parse_data();
    void parse();
    void manPageShows_data();
    void manPageShows();
    void completion_data();
    void completion();

private:
    QTemporaryDir m_docs;
};

namespace {

const QString Program = QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s;

QString run(const QString &program, const QStringList &arguments, QString *errors = nullptr,
            const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return u"(hung)"_s;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

void TestHelpDocs::initTestCase()
{
    QVERIFY(m_docs.isValid());
    QProcess writer;
    writer.start(Program, {u"--write-docs"_s, m_docs.path()});
    QVERIFY(writer.waitForFinished(30000));
    QCOMPARE(writer.exitCode(), 0);
}

void TestHelpDocs::parse_data()
{
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("usage");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("translated headings, wrapped description")
        << u"Kullanım: tavran [seçenekler] [command]\n"
           "Weighing station. Without a command it opens the window.\n\n"
           "Seçenekler:\n"
           "  -h, --help        show this help\n"
           "  --database <url>  the plant's central server,\n"
           "                    postgresql://USER@HOST (instead of the\n"
           "                    Database setting)\n\n"
           "Değişkenler:\n"
           "  command           one of  the commands\n"_s
        << u"tavran [seçenekler] [command]"_s
        << u"Weighing station. Without a command it opens the window."_s
        << QStringList{u"Seçenekler"_s, u"Değişkenler"_s}
        << QStringList{u"-h, --help"_s, u"--database <url>"_s, u"command"_s}
        << QStringList{u"show this help"_s,
                       u"the plant's central server, postgresql://USER@HOST (instead of the "
                       "Database setting)"_s,
                       u"one of  the commands"_s};
    QTest::newRow("a usage line of its own")
        << u"usage: tavran products import FILE | tavran products export [FILE]\n"_s
        << u"tavran products import FILE | tavran products export [FILE]"_s << QString()
        << QStringList() << QStringList() << QStringList();
    QTest::newRow("name wider than the column")
        << u"Usage: x [options]\r\n\r\nOptions:\r\n"
           "  --a-very-long-option-name-that-fills-the-column <value>\r\n"
           "                    what it does\r\n"
           "  -h, --help        show this help\r\n"_s
        << u"x [options]"_s << QString() << QStringList{u"Options"_s}
        << QStringList{u"--a-very-long-option-name-that-fills-the-column <value>"_s,
                       u"-h, --help"_s}
        << QStringList{u"what it does"_s, u"show this help"_s};
}

void TestHelpDocs::parse()
{
    QFETCH(QString, help);
    const HelpPage page = HelpPage::parse(help);
    QTEST(page.usage, "usage");
    QTEST(page.description, "description");
    QStringList headings, names, texts;
    for (const HelpPage::Section &section : page.sections) {
        headings << section.heading;
        for (const HelpPage::Entry &entry : section.entries)
            names << entry.name, texts << entry.text;
    }
    QTEST(headings, "headings");
    QTEST(names, "names");
    QTEST(texts, "texts");
}

void TestHelpDocs::manPageShows_data()
{
    QTest::addColumn<QString>("roff");
    QTest::addColumn<QStringList>("shown");

    // Every option and command the program's help lists is on its page.
    for (const QStringList &command : {QStringList(), QStringList{u"label"_s},
                                       QStringList{u"report"_s}, QStringList{u"db"_s},
                                       QStringList{u"trace"_s}}) {
        const QString pageName = QStringList(QStringList{u"tavran"_s} + command).join(u'-');
        const HelpPage help = HelpPage::parse(run(Program, command + QStringList{u"--help"_s}));
        QStringList shown = help.optionNames();
        shown << pageName;
        if (command.isEmpty())
            shown << u"init-demo"_s << u"movements"_s << u"tavran-db(1)"_s
                  << u"bir personelin şifresini siler"_s;
        QTest::newRow(qPrintable(pageName))
            << readFile(m_docs.filePath(pageName + u".1"_s)) << shown;
    }
    // Text that roff would take for its own requests and escapes.
    const HelpPage tricky = HelpPage::parse(
        u"Usage: x\n'quoted' start\n\nOptions:\n  --dir <d>  .SH not a heading, C:\\temp \"x\"\n"_s);
    QTest::newRow("roff's own characters")
        << ManPage::render(tricky, {u"x"_s, u"a \\ test"_s, u"x 1"_s, {}})
        << QStringList{u"'quoted' start"_s, u".SH not a heading, C:\\temp \"x\""_s,
                       u"x - a \\ test"_s, u"--dir <d>"_s};
}

void TestHelpDocs::manPageShows()
{
    QFETCH(QString, roff);
    QFETCH(QStringList, shown);
    QVERIFY(!roff.isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.1"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(roff.toUtf8());
    file.close();
    QString warnings;
    QString text = run(u"groff"_s, {u"-man"_s, u"-Tutf8"_s, u"-ww"_s, u"-Kutf8"_s, u"-rLL=400n"_s,
                                     u"-P-cbou"_s, path},
                       &warnings);
    QCOMPARE(warnings, QString());
    text.replace(QChar(0x2212), u'-').replace(QChar(0x2010), u'-');
    text.replace(u'\u2018', u'\'').replace(u'\u2019', u'\'');
    for (const QString &expected : shown)
        QVERIFY2(text.contains(expected), qPrintable(expected + u" missing from\n"_s + text));
}

void TestHelpDocs::completion_data()
{
    QTest::addColumn<QStringList>("typed"); // the last word is the one being completed
    QTest::addColumn<QStringList>("offered");

    QTest::newRow("command") << QStringList{u"la"_s} << QStringList{u"label"_s};
    QTest::newRow("an option's value is not the command")
        << QStringList{u"--data-dir"_s, u"config"_s, u"la"_s} << QStringList{u"label"_s};
    QTest::newRow("the command's own options")
        << QStringList{u"label"_s, u"--pr"_s} << QStringList{u"--printer"_s, u"--product"_s};
    QTest::newRow("after the command's options")
        << QStringList{u"--data-dir"_s, u"d"_s, u"report"_s, u"--day"_s, u"x"_s, u"--m"_s}
        << QStringList{u"--month"_s};
    QTest::newRow("a mode's options")
        << QStringList{u"trace"_s, u"--customer"_s, u"x"_s, u"--"_s}
        << QStringList{u"--csv"_s, u"--customer"_s, u"--from"_s, u"--help"_s, u"--lot"_s,
                       u"--package"_s, u"--to"_s};
    QTest::newRow("program options") << QStringList{u"--ver"_s} << QStringList{u"--version"_s};
    QTest::newRow("file for a value")
        << QStringList{u"label"_s, u"--pdf"_s, u"fi"_s} << QStringList{u"fis.pdf"_s};
    QTest::newRow("no files for a flag")
        << QStringList{u"label"_s, u"--year"_s, u"fi"_s} << QStringList();
}

void TestHelpDocs::completion()
{
    QFETCH(QStringList, typed);
    QTemporaryDir folder;
    QFile(folder.filePath(u"fis.pdf"_s)).open(QIODevice::WriteOnly);
    QStringList words{u"tavran"_s};
    for (const QString &word : typed)
        words << u'\'' + word + u'\'';
    const QString script = u"source '"_s + m_docs.filePath(u"tavran.bash-completion"_s)
                           + u"'; COMP_WORDS=("_s + words.join(u' ') + u"); COMP_CWORD="_s
                           + QString::number(typed.size())
                           + u"; _tavran 2>/dev/null; printf '%s\\n' \"${COMPREPLY[@]}\""_s;
    QStringList offered = run(u"bash"_s, {u"-c"_s, script}, nullptr, folder.path())
                              .split(u'\n', Qt::SkipEmptyParts);
    offered.sort();
    QTEST(offered, "offered");
}

QTEST_GUILESS_MAIN(TestHelpDocs)
#include "test_help_docs.moc"
