#include "app/HelpPage.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Entries are indented by two blanks; the name ends at the first run of two
// or more blanks, and wrapped lines are indented further.
const QRegularExpression EntryLine(u"^  (\\S.*?)(?: {2,}(\\S.*))?$"_s);
const QRegularExpression Heading(u"^(\\S.*):$"_s);

void appendText(QString &to, QStringView text)
{
    if (!to.isEmpty() && !text.isEmpty())
        to += u' ';
    to += text;
}

// "-h, --help" gives "-h" and "--help"; "--pdf <file>" takes a value.
QStringList options(const HelpPage &page, bool withValueOnly)
{
    QStringList names;
    for (const HelpPage::Section &section : page.sections) {
        for (const HelpPage::Entry &entry : section.entries) {
            if (!entry.name.startsWith(u'-') || (withValueOnly && !entry.name.contains(u'<')))
                continue;
            for (const QString &alias : entry.name.split(u", "_s))
                names << alias.section(u' ', 0, 0);
        }
    }
    return names;
}

} // namespace

HelpPage HelpPage::parse(QStringView helpText)
{
    HelpPage page;
    const QList<QStringView> lines = helpText.split(u'\n');
    bool usageRead = false;
    for (QStringView line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!usageRead) {
            if (line.trimmed().isEmpty())
                continue;
            // "Usage: tavran ..." in any language, or a home-made "usage: ..." line.
            const qsizetype colon = line.indexOf(u": ");
            page.usage = (colon > 0 ? line.mid(colon + 2) : line).trimmed().toString();
            usageRead = true;
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        const QString text = line.toString();
        if (const auto heading = Heading.match(text); heading.hasMatch()) {
            page.sections.append({heading.captured(1), {}});
            continue;
        }
        if (page.sections.isEmpty()) {
            appendText(page.description, line.trimmed());
            continue;
        }
        QList<Entry> &entries = page.sections.last().entries;
        const auto entry = EntryLine.match(text);
        if (entry.hasMatch() && !text.startsWith(u"   ")) {
            entries.append({entry.captured(1), entry.captured(2)});
        } else if (!entries.isEmpty()) {
            appendText(entries.last().text, line.trimmed());
        }
    }
    return page;
}

QStringList HelpPage::optionNames() const
{
    return options(*this, false);
}

QStringList HelpPage::optionsWithValue() const
{
    return options(*this, true);
}
