#pragma once

#include <QWidget>

class QVBoxLayout;

// The rounded card that holds one section's rows.
class SettingsCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int cornerRadius = 10;
    static constexpr int padding = 14;

    explicit SettingsCard(QWidget *parent = nullptr);

    QVBoxLayout *rows() const { return m_rows; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *m_rows;
};
