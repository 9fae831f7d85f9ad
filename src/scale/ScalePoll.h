#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A scale that answers only when asked: the request and how often it is
// sent, from the application setting "ScalePoll<k>", written as the interval
// in milliseconds, a blank and the request, with \r, \n and \\ for a
// carriage return, a line feed and a backslash ("500 SI\r\n").
struct ScalePoll
{
    static constexpr int ShortestInterval = 20;

    int intervalMs = 0;
    QByteArray request;

    // No value for an empty or unusable setting.
    static std::optional<ScalePoll> parse(const QString &setting);
    static std::optional<ScalePoll> forScale(int k);
};
