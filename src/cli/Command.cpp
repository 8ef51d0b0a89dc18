#include "Command.h"

namespace quillory::cli {

int Console::fileFailure(const QString& path, const QString& message)
{
    err << "quillory-cli: " << path << ": " << message << Qt::endl;
    return FileFailure;
}

int Console::usageFailure(const QString& problem, const QString& usage)
{
    err << "quillory-cli: " << problem << Qt::endl << usage << Qt::endl;
    return UsageFailure;
}

QString Command::usageLine() const
{
    return QStringLiteral("usage: quillory-cli %1 %2").arg(name(), usage());
}

} // namespace quillory::cli
