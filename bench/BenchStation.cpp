#include "BenchStation.h"

#include "data/DemoStation.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;

QString benchStationFolder(int extraCustomers, int extraProducts)
{
    const QString folder = QDir::tempPath() + u"/tavran-bench-%1-%2"_s.arg(extraCustomers).arg(extraProducts);
    if (!QFileInfo::exists(folder + u"/Tavran.Txt"_s)) {
        QString error;
        if (!DemoStation::create(folder, {extraCustomers, extraProducts}, &error))
            std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(folder), qPrintable(error));
    }
    return folder;
}

void prepareBenchEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", (QDir::tempPath() + u"/tavran-bench-config"_s).toUtf8());
    qputenv("QT_LOGGING_RULES", "tavran.*=false");
}

int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
