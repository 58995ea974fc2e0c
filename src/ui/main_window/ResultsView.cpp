#include "ResultsView.h"

#include "MonthBarChart.h"
#include "YearResultsText.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"
#include "ui/menu_bar/NavArrowButton.h"
#include "ui/settings/SettingsBar.h"
#include "ui/settings/SettingsButton.h"
#include "ui/settings/SettingsLabel.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

ResultsView::ResultsView(QList<IPORecord> ledger, const BrokerCharges &charges, bool gainIsRed,
                         int year, QWidget *parent)
    : QWidget(parent)
    , m_ledger(std::move(ledger))
    , m_charges(charges)
    , m_gainIsRed(gainIsRed)
    , m_years(YearFigures::years(m_ledger)) {
    setObjectName(QStringLiteral("ResultsView"));
    setFixedSize(sheetWidth, sheetHeight);

    auto *bar = new SettingsBar(44, SettingsBar::LineEdge::bottom);
    auto *title = new SettingsLabel(tr("收益"), ViewStyle::font(14, QFont::DemiBold),
                                    PaletteColor::textPrimary);
    auto *close =
        new SettingsButton(QStringLiteral("xmark"), tr("关闭"), SettingsButton::Look::plain);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QAbstractButton::clicked, this, &ResultsView::dismissRequested);
    // Older years to the left, as in the panel's calendar.
    auto *previous = new NavArrowButton(QStringLiteral("chevron.left"), [this] {
        const qsizetype at = m_years.indexOf(m_figures.year);
        if (at >= 0 && at + 1 < m_years.size())
            showYear(m_years.at(at + 1));
    });
    auto *next = new NavArrowButton(QStringLiteral("chevron.right"), [this] {
        const qsizetype at = m_years.indexOf(m_figures.year);
        if (at > 0)
            showYear(m_years.at(at - 1));
    });
    m_previousYear = previous;
    m_nextYear = next;
    m_yearLabel = new SettingsLabel(QString(), ViewStyle::font(13, QFont::DemiBold),
                                    PaletteColor::textPrimary);
    m_yearLabel->setObjectName(QStringLiteral("YearLabel"));
    bar->content()->addWidget(title);
    bar->content()->addStretch(1);
    bar->content()->addWidget(previous);
    bar->content()->addWidget(m_yearLabel);
    bar->content()->addWidget(next);
    bar->content()->addSpacing(12);
    bar->content()->addWidget(close);

    auto *body = new QWidget;
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(20, 14, 20, 16);
    bodyLayout->setSpacing(10);
    m_lines = new QVBoxLayout;
    m_lines->setSpacing(4);
    bodyLayout->addLayout(m_lines);
    m_chart = new MonthBarChart;
    bodyLayout->addWidget(m_chart);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("YearIPOList"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFont(ViewStyle::font(12));
    m_list->setUniformItemSizes(true);
    AppLook::setScrollAreaFill(m_list, PaletteColor::cardBackground);
    AppLook::setTextTone(m_list, PaletteColor::textPrimary);
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit ipoChosen(item->data(Qt::UserRole).toString()); });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit ipoChosen(item->data(Qt::UserRole).toString()); });
    bodyLayout->addWidget(m_list, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(body, 1);

    showYear(m_years.contains(year) || m_years.isEmpty() ? year : m_years.first());
}

void ResultsView::showYear(int year) {
    m_figures = YearFigures::of(m_ledger, year, m_charges);
    m_yearLabel->setText(QString::number(year));
    const qsizetype at = m_years.indexOf(year);
    m_previousYear->setEnabled(at >= 0 && at + 1 < m_years.size());
    m_nextYear->setEnabled(at > 0);

    while (QLayoutItem *item = m_lines->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QStringList lines = m_figures.ipos.isEmpty() ? QStringList{tr("这一年还没有申购记录")}
                                                       : YearResultsText::figureLines(m_figures);
    for (const QString &line : lines) {
        auto *label = new SettingsLabel(line, ViewStyle::font(12), PaletteColor::textPrimary);
        label->setWordWrap(true);
        m_lines->addWidget(label);
    }
    m_chart->setMonths(m_figures.resultByMonthCents, m_gainIsRed);
    m_list->clear();
    for (const YearIPO &ipo : m_figures.ipos) {
        auto *item = new QListWidgetItem(YearResultsText::ipoRow(m_figures, ipo), m_list);
        item->setData(Qt::UserRole, m_figures.recordOf(ipo).ipo.code);
    }
}

void ResultsView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::canvasBackground));
}
