#pragma once

#include <QStringList>

namespace quillory::settings {
class ListStore;
}

namespace quillory::app {

/**
 * The letters opened or saved last, most recent first, at most kMax, kept
 * per user in the settings group "RecentLetters". No widgets: the window
 * builds its menu from entries().
 */
class RecentLetters
{
public:
    static constexpr int kMax = 8;

    /** Reads the list; store must outlive this. */
    explicit RecentLetters(settings::ListStore& store);

    QStringList entries() const { return m_entries; }
    /** Puts path first (once), drops what is beyond kMax, and stores the list. */
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void store();

    settings::ListStore& m_store;
    QStringList m_entries;
};

} // namespace quillory::app
