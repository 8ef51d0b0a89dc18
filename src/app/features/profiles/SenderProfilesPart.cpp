#include "features/profiles/SenderProfilesPart.h"

#include "settings/SenderProfiles.h"
#include "support/ErrorReport.h"
#include "widgets/FormBuilder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace quillory::app {

SenderProfilesPart::SenderProfilesPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("SenderProfiles"))
{
    window.addPart(this);
    build();
    // Only the user's choice fills the fields, not a refill of the list.
    connectGuarded(m_combo, &QComboBox::activated, [this] { chooseProfile(); });
    connect(m_combo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_delete->setEnabled(index >= 0); });
    connectGuarded(m_save, &QPushButton::clicked, [this] { saveProfile(); });
    connectGuarded(m_delete, &QPushButton::clicked, [this] { deleteProfile(); });
}

SenderProfilesPart::~SenderProfilesPart() = default;

void SenderProfilesPart::build()
{
    QWidget* tab = window().place(LetterWindow::Place::SenderTab);
    const FormBuilder b{DesignScale()};
    const DesignScale& scale = b.scale();
    QLabel* caption = b.labelAbove(tab, QStringLiteral("Absender:"), 8, 408);
    caption->setObjectName(QStringLiteral("AbsenderLabel"));

    m_combo = new QComboBox(tab);
    m_combo->setObjectName(QStringLiteral("AbsenderCombo"));
    m_combo->setGeometry(scale.rect(8, 408, 233, FormBuilder::kFieldHeight));
    m_combo->setPlaceholderText(QStringLiteral("(keines gewählt)"));
    caption->setBuddy(m_combo);

    // Side by side under the list; a wider caption at a larger screen font
    // pushes the second one right rather than under the first.
    const auto button = [&](const QString& name, const QString& text, int left) {
        auto* pushButton = new QPushButton(text, tab);
        pushButton->setObjectName(name);
        pushButton->setGeometry(scale.rect(left, 436, 113, FormBuilder::kButtonHeight));
        pushButton->resize(std::max(pushButton->width(), pushButton->sizeHint().width()),
                           pushButton->height());
        return pushButton;
    };
    m_save = button(QStringLiteral("AbsenderSpeichern"), QStringLiteral("Speichern als..."), 8);
    m_delete = button(QStringLiteral("AbsenderLoeschen"), QStringLiteral("Löschen"), 128);
    m_delete->move(std::max(m_delete->x(), m_save->geometry().right() + 1 + scale.px(7)),
                   m_delete->y());
    m_delete->setEnabled(false);

    // After the footer, the last of the sender's fields.
    if (QWidget* footer = window().textField(QStringLiteral("footer"))) {
        QWidget::setTabOrder(footer, m_combo);
        QWidget::setTabOrder(m_combo, m_save);
        QWidget::setTabOrder(m_save, m_delete);
    }
}

void SenderProfilesPart::windowShown()
{
    fill(QString());
}

settings::SenderProfiles& SenderProfilesPart::profiles()
{
    if (!m_profiles)
        m_profiles = std::make_unique<settings::SenderProfiles>(window().listStore());
    return *m_profiles;
}

void SenderProfilesPart::fill(const QString& current)
{
    m_combo->clear();
    m_combo->addItems(profiles().names());
    m_combo->setCurrentIndex(current.isEmpty() ? -1 : m_combo->findText(current));
}

void SenderProfilesPart::chooseProfile()
{
    const std::optional<settings::SenderProfile> profile =
        profiles().profile(m_combo->currentText());
    if (!profile)
        return;
    document::Letter chosen = window().letter();
    profile->applyTo(chosen);
    window().editLetter(chosen);
}

void SenderProfilesPart::saveProfile()
{
    Prompts& prompts = window().prompts();
    const QString name =
        prompts.askText(QStringLiteral("Absender speichern"),
                        QStringLiteral("Name des Absenderprofils:"), m_combo->currentText());
    if (name.trimmed().isEmpty())
        return;
    const QString existing = profiles().find(name);
    if (!existing.isEmpty() &&
        !prompts.confirmSave(
            QStringLiteral("Das Absenderprofil \"%1\" gibt es schon. Ersetzen?").arg(existing)))
        return;
    const bool stored = profiles().save(name, settings::SenderProfile::of(window().letter()));
    fill(name.trimmed());
    if (!stored)
        throw CommandError(QStringLiteral("Das Absenderprofil konnte nicht gespeichert werden"));
}

void SenderProfilesPart::deleteProfile()
{
    const QString name = m_combo->currentText();
    if (profiles().find(name).isEmpty() ||
        !window().prompts().confirmDiscard(
            QStringLiteral("Das Absenderprofil \"%1\" löschen?").arg(name)))
        return;
    const bool stored = profiles().remove(name);
    fill(QString());
    if (!stored)
        throw CommandError(QStringLiteral("Das Absenderprofil konnte nicht gelöscht werden"));
}

} // namespace quillory::app
