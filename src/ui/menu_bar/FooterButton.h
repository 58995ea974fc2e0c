#pragma once

#include <QAbstractButton>

#include <functional>

// A borderless footer action: its label at 12 points medium, then its symbol, both in
// textSecondary. Pressing it calls the action.
class FooterButton : public QAbstractButton {
    Q_OBJECT
public:
    FooterButton(const QString &label, const QString &icon, std::function<void()> action,
                 QWidget *parent = nullptr);

    QString icon() const { return m_icon; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_icon;
};
