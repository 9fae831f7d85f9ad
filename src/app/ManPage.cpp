#include "app/ManPage.h"

#include "app/HelpPage.h"

using namespace Qt::StringLiterals;

namespace ManPage {
namespace {

// Text safe for a roff line: a backslash is roff's escape, a dash must stay a
// minus so options can be copied, and a leading dot or quote is a request.
QString escaped(QString text)
{
    text.replace(u'\\', u"\\e"_s);
    text.replace(u'-', u"\\-"_s);
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(u"\\&"_s);
    return text;
}

QString quoted(const QString &text)
{
    QString inner = escaped(text);
    inner.replace(u'"', u"\\(dq"_s);
    return u'"' + inner + u'"';
}

} // namespace

QString render(const HelpPage &page, const Title &title)
{
    QString roff;
    roff += u".TH "_s + escaped(title.name.toUpper()) + u" 1 \"\" "_s + quoted(title.version)
            + u" \"Tavran\"\n"_s;
    roff += u".SH NAME\n"_s + escaped(title.name) + u" \\- "_s + escaped(title.summary) + u'\n';
    roff += u".SH SYNOPSIS\n"_s + escaped(page.usage) + u'\n';
    if (!page.description.isEmpty())
        roff += u".SH DESCRIPTION\n"_s + escaped(page.description) + u'\n';
    for (const HelpPage::Section &section : page.sections) {
        roff += u".SH "_s + quoted(section.heading) + u'\n';
        for (const HelpPage::Entry &entry : section.entries)
            roff += u".TP\n.B "_s + quoted(entry.name) + u'\n' + escaped(entry.text) + u'\n';
    }
    if (!title.seeAlso.isEmpty()) {
        roff += u".SH \"SEE ALSO\"\n"_s;
        QStringList references;
        for (const QString &name : title.seeAlso)
            references << u".BR "_s + escaped(name) + u" (1)"_s;
        roff += references.join(u",\n"_s) + u'\n';
    }
    return roff;
}

} // namespace ManPage
