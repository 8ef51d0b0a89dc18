#include "support/SharedRecords.h"

#include "records/Database.h"
#include "window/LetterWindow.h"

#include <QDir>
#include <QWidget>

namespace quillory::app {
namespace {

const QString kName = QStringLiteral("SharedRecords");

} // namespace

SharedRecords::SharedRecords(LetterWindow& window) : QObject(window.widget()), m_window(window)
{
    setObjectName(kName);
}

SharedRecords::~SharedRecords() = default;

SharedRecords& SharedRecords::of(LetterWindow& window)
{
    if (auto* shared =
            window.widget()->findChild<SharedRecords*>(kName, Qt::FindDirectChildrenOnly))
        return *shared;
    return *new SharedRecords(window);
}

QString SharedRecords::path() const
{
    return QDir(m_window.dataFolder()).filePath(QStringLiteral("quillory.sqlite"));
}

records::Database* SharedRecords::database()
{
    if (m_tried)
        return m_database.get();
    m_tried = true;
    if (!QDir().mkpath(m_window.dataFolder())) {
        m_window.prompts().showError(
            QStringLiteral(
                "Der Ordner „%1“ für Adressbuch und Briefablage kann nicht angelegt werden.")
                .arg(QDir::toNativeSeparators(m_window.dataFolder())));
        return nullptr;
    }
    auto database = std::make_unique<records::Database>(path());
    if (!database->open()) {
        m_window.prompts().showError(
            QStringLiteral("Adressbuch und Briefablage sind nicht verfügbar: „%1“ kann nicht "
                           "geöffnet werden.\n%2")
                .arg(QDir::toNativeSeparators(path()), database->errorString()));
        return nullptr;
    }
    if (!database->notice().isEmpty())
        m_window.prompts().showInfo(database->notice());
    m_database = std::move(database);
    return m_database.get();
}

} // namespace quillory::app
