#pragma once

#include <QWidget>

class QHBoxLayout;
class QVBoxLayout;
class SettingsCard;
class SettingsLabel;

// One section of the settings sheet: a small upper-case heading over a card of rows. Each
// section of the sheet derives from it and owns its texts, rows and actions; the row builders
// keep every section's labels, hints and buttons alike.
class SettingsSection : public QWidget {
    Q_OBJECT
public:
    explicit SettingsSection(const QString &title, QWidget *parent = nullptr);

protected:
    QVBoxLayout *rows() const;

    static SettingsLabel *label(const QString &text);
    static SettingsLabel *hint(const QString &text);
    static SettingsLabel *note(const QString &text);
    static QHBoxLayout *buttonRow();
    // A label with its hint below on the left, `trailing` (a switch, a field) on the right.
    static QWidget *labelledRow(const QString &label, const QString &hint, QWidget *trailing);

private:
    SettingsCard *m_card;
};
