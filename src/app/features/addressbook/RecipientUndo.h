#pragma once

#include <QObject>
#include <QString>

#include <array>

class QLineEdit;

namespace quillory::app {

/**
 * Makes an address taken from the book one edit of the recipient: the
 * window undoes per line, so the first Ctrl+Z in any of the lines after a
 * fill takes back every line the fill changed, as long as none was edited
 * since. After that, or after typing, each line undoes on its own again.
 */
class RecipientUndo : public QObject
{
    Q_OBJECT

public:
    RecipientUndo(const std::array<QLineEdit*, 5>& lines, QObject* parent);

    /** The lines now hold what a fill put there; changed: those it changed, each by one edit. */
    void filled(const std::array<bool, 5>& changed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stillFilled() const;

    std::array<QLineEdit*, 5> m_lines;
    std::array<bool, 5> m_changed{};
    std::array<QString, 5> m_filled;
    bool m_armed = false;
};

} // namespace quillory::app
