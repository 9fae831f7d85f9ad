#include "app/CommandLine.h"
#include "app/StationLocale.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const CommandLine commandLine = CommandLine::parse(argc, argv);
    const auto app = commandLine.makeApplication(argc, argv);
    StationLocale::apply(*app);
    return commandLine.run();
}
