#include "Command.h"

#include "document/FileIdentity.h"

namespace quillory::cli {

int Console::fileFailure(const QString& path, const QString& message)
{
    err << "quillory-cli: " << visible(path) << ": " << visible(message, true) << Qt::endl;
    return FileFailure;
}

int Console::usageFailure(const QString& problem, const QString& usage)
{
    err << "quillory-cli: " << visible(problem, true) << Qt::endl << usage << Qt::endl;
    return UsageFailure;
}

int Console::checkOutput(const QString& output, const QStringList& inputs, const QString& usage)
{
    const QString input = document::inputAt(output, inputs);
    if (input.isEmpty())
        return Success;
    return usageFailure(output + QStringLiteral(": ") + document::outputIsInputText(input), usage);
}

QString visible(const QString& text, bool keepLineBreaks)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control || (keepLineBreaks && c == QLatin1Char('\n')))
            result += c;
        else if (c == QLatin1Char('\r'))
            result += QLatin1String("\\r");
        else if (c == QLatin1Char('\n'))
            result += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            result += QLatin1String("\\t");
        else
            result += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return result;
}

QString Command::usageLine() const
{
    return QStringLiteral("usage: quillory-cli %1 %2").arg(name(), usage());
}

} // namespace quillory::cli
