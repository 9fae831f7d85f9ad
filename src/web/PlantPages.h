#pragma once

#include "web/WebExchange.h"

// The plant's read-only pages: a day's or a month's totals per product,
// customer and station, the last packages and slips, each station's last
// activity and error, and every table as CSV. The shared tables come from
// the station folder or, when its URL is given, the central server; the
// journal always from the station folder.
class PlantPages : public PageResponder
{
public:
    PlantPages(const QString &stationFolder, const QString &centralUrl);

    WebResponse respond(const WebRequest &request) const override;

    // How many packages and slips the "last" page shows.
    static constexpr int LastRows = 50;

private:
    QString m_folder;
    QString m_centralUrl;
};
