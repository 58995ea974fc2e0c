#pragma once

#include <QAbstractButton>
#include <QUrl>

// The header's link to the exchange's new-listing page: "港交所" underlined at 11 points in
// textSecondary. Activating it opens the page in the default browser (http and https only).
class ORVELLink : public QAbstractButton {
    Q_OBJECT
public:
    explicit ORVELLink(QUrl hkexURL, QWidget *parent = nullptr);

    const QUrl &hkexURL() const { return m_hkexURL; }
    // Opens the address; false when it is not an http or https URL or the desktop refused.
    bool open() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QUrl m_hkexURL;
};
