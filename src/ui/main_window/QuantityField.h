#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// A labelled share-count input. Anything can be typed and nothing is reformatted; while the
// text reads as a quantity above 0 the label row shows how many lots that is.
class QuantityField : public QWidget {
    Q_OBJECT
public:
    QuantityField(const QString &label, const QString &placeholder, qint64 perLotShares,
                  QWidget *parent = nullptr);

    QString label() const;
    QString text() const;
    // Replaces the text (loading from a record); textChanged follows as for typing.
    void setText(const QString &text);
    qint64 perLotShares() const { return m_perLotShares; }
    void setPerLotShares(qint64 shares);

    QLineEdit *input() const { return m_input; }
    // "<lots> 手", or empty while no lot count shows.
    QString lotCountText() const;

signals:
    void textChanged(const QString &text);

private:
    void updateLotCount();

    QLabel *m_label;
    QLabel *m_lotCount;
    QLineEdit *m_input;
    qint64 m_perLotShares;
};
