#include "printing/PrinterResolution.h"

#include "printing/PrintQueue.h"
#include "printing/PrintingLog.h"

#include <QHash>

namespace PrinterResolution {

int native(const QString &queueName)
{
    static QHash<QString, int> known;
    if (const auto it = known.constFind(queueName); it != known.cend())
        return *it;
    if (queueName.isEmpty())
        return 0;
    const PrintQueueState state = PrintQueue::ask(queueName);
    if (state.dotsPerInch > 0)
        known.insert(queueName, state.dotsPerInch);
    else
        qCInfo(lcPrinting) << "no default resolution known for" << queueName;
    return state.dotsPerInch;
}

} // namespace PrinterResolution
