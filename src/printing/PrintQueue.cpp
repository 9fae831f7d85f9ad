#include "printing/PrintQueue.h"

#include "printing/PrintingLog.h"

#include <cups/cups.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct HttpClose
{
    void operator()(http_t *http) const { httpClose(http); }
};
struct IppDelete
{
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};

constexpr int ConnectTimeoutMs = 5000;

int defaultDotsPerInch(ipp_t *response)
{
    ipp_attribute_t *attr = ippFindAttribute(response, "printer-resolution-default",
                                             IPP_TAG_RESOLUTION);
    if (!attr)
        return 0;
    int vertical = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int horizontal = ippGetResolution(attr, 0, &vertical, &units);
    return units == IPP_RES_PER_CM ? qRound(horizontal * 2.54) : horizontal;
}

} // namespace

QString PrintQueueState::reason() const
{
    switch (status) {
    case Status::Ready:
        return {};
    case Status::NoScheduler:
        return u"yazdırma sunucusuna ulaşılamıyor (%1)"_s.arg(server);
    case Status::Missing:
        return u"yazdırma sunucusunda «%1» yazıcısı yok"_s.arg(queue);
    case Status::Stopped:
        return u"«%1» yazıcısı durdurulmuş"_s.arg(queue);
    case Status::Refusing:
        return u"«%1» yazıcısı iş kabul etmiyor"_s.arg(queue);
    }
    return {};
}

namespace PrintQueue {

PrintQueueState ask(const QString &queue)
{
    PrintQueueState state;
    state.queue = queue;
    const char *server = cupsServer();
    state.server = QString::fromUtf8(server);
    if (queue.isEmpty()) {
        state.status = PrintQueueState::Status::Missing;
        return state;
    }

    const std::unique_ptr<http_t, HttpClose> http(httpConnect2(
        server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, ConnectTimeoutMs, nullptr));
    if (!http) {
        qCWarning(lcPrinting) << "no print scheduler answers on" << state.server;
        return state;
    }

    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.toUtf8().constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const Wanted[] = {"printer-state", "printer-is-accepting-jobs",
                                         "printer-resolution-default"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(Wanted)), nullptr, Wanted);
    // cupsDoRequest frees the request.
    const std::unique_ptr<ipp_t, IppDelete> response(cupsDoRequest(http.get(), request, "/"));
    const ipp_status_t status = cupsLastError();
    if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        state.status = PrintQueueState::Status::Missing;
        return state;
    }
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        qCWarning(lcPrinting) << "the print scheduler on" << state.server << "did not answer for"
                              << queue << "-" << cupsLastErrorString();
        return state;
    }

    state.dotsPerInch = defaultDotsPerInch(response.get());
    ipp_attribute_t *accepting = ippFindAttribute(response.get(), "printer-is-accepting-jobs",
                                                  IPP_TAG_BOOLEAN);
    if (ippGetInteger(ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM), 0)
        == IPP_PSTATE_STOPPED)
        state.status = PrintQueueState::Status::Stopped;
    else if (accepting && !ippGetBoolean(accepting, 0))
        state.status = PrintQueueState::Status::Refusing;
    else
        state.status = PrintQueueState::Status::Ready;
    return state;
}

} // namespace PrintQueue
