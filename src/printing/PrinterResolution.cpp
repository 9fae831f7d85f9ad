#include "printing/PrinterResolution.h"

#include "printing/PrintingLog.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace PrinterResolution {

int parseDefault(const QString &optionsListing)
{
    // "Resolution/Output Resolution: 150dpi *300dpi 600dpi"; the starred
    // choice is the default. "300x600dpi" gives its horizontal value.
    static const QRegularExpression line(uR"(^Resolution/[^:]*:.*\*(\d+)(?:x\d+)?dpi)"_s,
                                         QRegularExpression::MultilineOption);
    return line.match(optionsListing).captured(1).toInt();
}

int native(const QString &queueName)
{
    static QHash<QString, int> known;
    if (const auto it = known.constFind(queueName); it != known.cend())
        return *it;
    int dpi = 0;
    const QString lpoptions = QStandardPaths::findExecutable(u"lpoptions"_s);
    if (!queueName.isEmpty() && !lpoptions.isEmpty()) {
        QProcess process;
        process.start(lpoptions, {u"-p"_s, queueName, u"-l"_s});
        if (process.waitForFinished(5000) && process.exitCode() == 0)
            dpi = parseDefault(QString::fromUtf8(process.readAllStandardOutput()));
    }
    if (dpi <= 0)
        qCInfo(lcPrinting) << "no default resolution known for" << queueName;
    known.insert(queueName, dpi);
    return dpi;
}

} // namespace PrinterResolution
