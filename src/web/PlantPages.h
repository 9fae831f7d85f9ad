#pragma once

#include "web/WebExchange.h"

#include <QString>

// The plant's read-only pages over a station folder or the central server
// (one of the two is empty).
class PlantPages : public PageResponder
{
public:
    PlantPages(const QString &stationFolder, const QString &centralUrl);

    WebResponse respond(const WebRequest &request) const override;

private:
    QString m_folder;
    QString m_centralUrl;
};
