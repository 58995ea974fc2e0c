#pragma once

#include "model/BrokerCharges.h"
#include "model/IPORecord.h"
#include "model/YearFigures.h"

#include <QList>
#include <QWidget>

class MonthBarChart;
class QListWidget;
class QVBoxLayout;
class SettingsLabel;

// The year sheet: a year of the user's entries at a glance (applications and hit rate, closed
// IPOs and win rate, result, charges, best and worst), the result per month as bars, and the
// year's IPOs with their results; choosing one asks for it in the main table.
class ResultsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int sheetWidth = 440;
    static constexpr int sheetHeight = 500;

    // `ledger`: every entry's record (also of IPOs that have left the list); the sheet opens on
    // `year` when it has entries, else on the newest year that has.
    ResultsView(QList<IPORecord> ledger, const BrokerCharges &charges, bool gainIsRed, int year,
                QWidget *parent = nullptr);

    const QList<int> &years() const { return m_years; }
    int year() const { return m_figures.year; }
    const YearFigures &figures() const { return m_figures; }
    void showYear(int year);

signals:
    void ipoChosen(const QString &code);
    void dismissRequested();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<IPORecord> m_ledger;
    BrokerCharges m_charges;
    bool m_gainIsRed;
    QList<int> m_years;
    YearFigures m_figures;
    SettingsLabel *m_yearLabel;
    QWidget *m_previousYear;
    QWidget *m_nextYear;
    QVBoxLayout *m_lines;
    MonthBarChart *m_chart;
    QListWidget *m_list;
};
