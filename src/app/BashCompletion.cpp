#include "app/BashCompletion.h"

#include "app/HelpPage.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace BashCompletion {
namespace {

// One branch of the `case "$command"`: the words offered and the options
// whose value is a file or any text (offered as file names).
QString branch(const QString &pattern, const QStringList &words, const QStringList &valued)
{
    return u"        "_s + pattern + u")\n            words='"_s + words.join(u' ')
           + u"'\n            valued='"_s + valued.join(u' ') + u"' ;;\n"_s;
}

} // namespace

QString render(const QString &program, const HelpPage &main, const QList<Command> &commands)
{
    const QString function = u'_' + QString(program).replace(u'-', u'_');
    QStringList names;
    for (const Command &command : commands)
        names << command.first;

    QString script = u"# bash completion for "_s + program + u", written from its --help\n"_s;
    script += function + u"()\n{\n"_s;
    script += uR"(    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command="" words valued i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
)"_s;
    const QStringList mainValued = main.optionsWithValue();
    if (!mainValued.isEmpty())
        script += u"            "_s + mainValued.join(u'|') + u") ((i++)) ;;\n"_s;
    script += uR"(            -*) ;;
            *) command=${COMP_WORDS[i]}; break ;;
        esac
    done
    case $command in
)"_s;
    script += branch(u"\"\""_s, main.optionNames() + names, mainValued);
    for (const Command &command : commands)
        script += branch(command.first, command.second.optionNames(),
                         command.second.optionsWithValue());
    script += uR"(        *) return ;;
    esac
    if [[ " $valued " == *" $prev "* ]]; then
        compopt -o filenames
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
    fi
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}
)"_s;
    script += u"complete -F "_s + function + u' ' + program + u'\n';
    return script;
}

} // namespace BashCompletion
