#include "features/recent/RecentLetters.h"

#include "settings/ListStore.h"

#include <QDir>
#include <QFileInfo>

namespace quillory::app {
namespace {

const QString kGroup = QStringLiteral("RecentLetters");
const QString kKey = QStringLiteral("Files");

/** One spelling per file, so that a letter opened twice is listed once. */
QString normalized(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

Qt::CaseSensitivity fileNameCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace

RecentLetters::RecentLetters(settings::ListStore& store) : m_store(store)
{
    // A list edited by hand may repeat or overflow; it is read as add() would keep it.
    const QStringList stored = m_store.readList(kGroup, kKey);
    for (const QString& path : stored) {
        if (path.isEmpty() || m_entries.size() >= kMax)
            continue;
        const QString clean = normalized(path);
        if (!m_entries.contains(clean, fileNameCase()))
            m_entries.append(clean);
    }
}

void RecentLetters::add(const QString& path)
{
    const QString clean = normalized(path);
    m_entries.removeIf(
        [&](const QString& entry) { return entry.compare(clean, fileNameCase()) == 0; });
    m_entries.prepend(clean);
    while (m_entries.size() > kMax)
        m_entries.removeLast();
    store();
}

void RecentLetters::remove(const QString& path)
{
    const QString clean = normalized(path);
    m_entries.removeIf(
        [&](const QString& entry) { return entry.compare(clean, fileNameCase()) == 0; });
    store();
}

void RecentLetters::clear()
{
    m_entries.clear();
    store();
}

void RecentLetters::store()
{
    // A list that cannot be stored is only a convenience lost; the letter is not.
    m_store.writeList(kGroup, kKey, m_entries);
}

} // namespace quillory::app
