#include "features/wrapping/WrappingPart.h"

#include "settings/SettingsBackend.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace quillory::app {
namespace {

const QString kGroup = QStringLiteral("Editor");
const QString kKey = QStringLiteral("Zeilenumbruch");

} // namespace

WrappingPart::WrappingPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("WrappingPart"))
{
    window.addPart(this);
    m_body = qobject_cast<QPlainTextEdit*>(window.textField(QStringLiteral("body")));
    if (m_body)
        m_designedBar = m_body->horizontalScrollBarPolicy();

    m_entry = new QAction(QStringLiteral("Zeilenumbruch"), this);
    m_entry->setObjectName(QStringLiteral("Zeilenumbruch1"));
    m_entry->setCheckable(true);
    m_entry->setChecked(true);
    window.addMenuEntry(LetterWindow::MenuPlace::EditingEnd, m_entry);
    apply(true);

    connectGuarded(m_entry, &QAction::toggled, [this](bool wrap) {
        apply(wrap);
        saveSettings([wrap](settings::SettingsBackend& store) {
            if (store.writeIn(kGroup, kKey, wrap ? QStringLiteral("1") : QStringLiteral("0")) &&
                store.flush())
                return QString();
            return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(kKey);
        });
    });
}

void WrappingPart::restoreSettings(const settings::ViewChoices&)
{
    const settings::StoredValue stored = window().settingsStore().readIn(kGroup, kKey);
    // Anything but a plain "0" keeps the default, as an unreadable value does.
    const bool wrap = stored.kind != settings::StoredValue::Text || stored.text.trimmed() != u"0";
    // Read back, not chosen: nothing to write.
    const QSignalBlocker quiet(m_entry);
    m_entry->setChecked(wrap);
    apply(wrap);
}

void WrappingPart::apply(bool wrap)
{
    if (!m_body)
        return;
    m_body->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // A wrapped text is never wider than the editor: its scroll bar would only stand empty.
    m_body->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAsNeeded : m_designedBar);
    m_body->ensureCursorVisible();
}

} // namespace quillory::app
