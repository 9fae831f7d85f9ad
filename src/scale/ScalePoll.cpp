#include "scale/ScalePoll.h"

#include "station/SettingsStore.h"
#include "station/Windows1254.h"

using namespace Qt::StringLiterals;

std::optional<ScalePoll> ScalePoll::parse(const QString &setting)
{
    const QString text = setting.trimmed();
    const qsizetype blank = text.indexOf(u' ');
    if (blank <= 0)
        return std::nullopt;
    bool ok = false;
    const int interval = text.left(blank).toInt(&ok);
    if (!ok || interval < ShortestInterval)
        return std::nullopt;

    QString request;
    const QString escaped = text.mid(blank + 1);
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const QChar c = escaped[i];
        if (c != u'\\' || i + 1 == escaped.size()) {
            request += c;
            continue;
        }
        const QChar next = escaped[++i];
        request += next == u'r' ? u'\r' : next == u'n' ? u'\n' : next == u't' ? u'\t' : next;
    }
    if (request.isEmpty())
        return std::nullopt;
    return ScalePoll{interval, Windows1254::encode(request)};
}

std::optional<ScalePoll> ScalePoll::forScale(int k)
{
    return parse(GetAppSetting(u"Properties"_s, u"ScalePoll"_s + QString::number(k)));
}
