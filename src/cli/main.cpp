#include "CommandLine.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    quillory::cli::Console console{out, err};
    quillory::cli::CommandLine commandLine;
    const int status = commandLine.run(QCoreApplication::arguments().mid(1), console);
    out.flush();
    err.flush();
    return status;
}
