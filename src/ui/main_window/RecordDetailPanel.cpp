#include "RecordDetailPanel.h"

#include "ClearRecordButton.h"
#include "DetailPanelFields.h"
#include "FinancingText.h"
#include "PaletteRule.h"
#include "QuantityField.h"
#include "QuantityParsing.h"
#include "SaleField.h"
#include "SaveRecordButton.h"
#include "SegmentedControl.h"
#include "TableCellText.h"
#include "TagBadge.h"
#include "model/IPOResult.h"
#include "model/MoneyText.h"
#include "model/SaleForm.h"
#include "settings/AppSettings.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"
#include "ui/menu_bar/TodayButtonStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int sectionPadding = 16;
constexpr int infoSymbolSize = 10;

int methodIndex(SubMethod method) {
    return method == SubMethod::margin ? 1 : 0;
}

QLabel *captionLabel(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ViewStyle::font(10, QFont::DemiBold, 0.4));
    return label;
}

} // namespace

RecordDetailPanel::RecordDetailPanel(const IPORecord &record, SaveCallback onSave,
                                     DeleteCallback onDelete, const AppSettings *settings,
                                     QWidget *parent)
    : QWidget(parent)
    , m_record(record)
    , m_onSave(std::move(onSave))
    , m_settings(settings)
    , m_onDelete(std::move(onDelete)) {
    setObjectName(QStringLiteral("RecordDetailPanel"));
    const qint64 perLot = record.ipo.sharesPerLot();

    // Title: the name and two tags on the muted fill.
    m_titleSection = new QWidget(this);
    AppLook::setFill(m_titleSection, PaletteColor::mutedFill);
    m_nameLabel = new QLabel(m_titleSection);
    m_nameLabel->setObjectName(QStringLiteral("RecordName"));
    m_nameLabel->setTextFormat(Qt::PlainText);
    m_nameLabel->setWordWrap(true);
    m_nameLabel->setFont(ViewStyle::font(16, QFont::Bold, -0.3));
    AppLook::setTextTone(m_nameLabel, PaletteColor::textPrimary);
    m_codeBadge = new TagBadge(QString(), true, m_titleSection);
    m_codeBadge->setObjectName(QStringLiteral("CodeBadge"));
    m_statusBadge = new TagBadge(QString(), false, m_titleSection);
    m_statusBadge->setObjectName(QStringLiteral("StatusBadge"));
    auto *badges = new QHBoxLayout;
    badges->setContentsMargins(0, 0, 0, 0);
    badges->setSpacing(8);
    badges->addWidget(m_codeBadge);
    badges->addWidget(m_statusBadge);
    badges->addStretch(1);
    auto *title = new QVBoxLayout(m_titleSection);
    title->setContentsMargins(sectionPadding, sectionPadding, sectionPadding, sectionPadding);
    title->setSpacing(8);
    title->addWidget(m_nameLabel);
    title->addLayout(badges);

    // Form: method, subscribed shares with the financing line, allotted shares.
    auto *form = new QWidget(this);
    m_methodCaption = captionLabel(tr("申购方式"), form);
    AppLook::setTextTone(m_methodCaption, PaletteColor::textSecondary);
    m_methodControl = new SegmentedControl({tr("现金申购"), tr("融资90%")}, form);
    m_methodControl->setObjectName(QStringLiteral("MethodControl"));
    m_methodControl->setAccessibleName(tr("申购方式"));
    auto *methodGroup = new QVBoxLayout;
    methodGroup->setSpacing(5);
    methodGroup->addWidget(m_methodCaption);
    methodGroup->addWidget(m_methodControl);

    m_subscriptionField = new QuantityField(tr("申购数量"), QStringLiteral("0"), perLot, form);
    m_subscriptionField->setObjectName(QStringLiteral("SubscriptionField"));
    m_financingLine = new QWidget(form);
    m_financingLine->setObjectName(QStringLiteral("FinancingLine"));
    m_financingSymbol = new QLabel(m_financingLine);
    m_financingSymbol->setFixedSize(infoSymbolSize, infoSymbolSize);
    AppLook::setSymbol(m_financingSymbol, QStringLiteral("info.circle"),
                       PaletteColor::textSecondary, infoSymbolSize);
    m_financingLabel = new QLabel(m_financingLine);
    m_financingLabel->setTextFormat(Qt::PlainText);
    m_financingLabel->setFont(ViewStyle::font(10));
    AppLook::setTextTone(m_financingLabel, PaletteColor::textSecondary);
    auto *financing = new QHBoxLayout(m_financingLine);
    financing->setContentsMargins(2, 0, 0, 0);
    financing->setSpacing(4);
    financing->addWidget(m_financingSymbol);
    financing->addWidget(m_financingLabel, 1);
    auto *subscriptionGroup = new QVBoxLayout;
    subscriptionGroup->setSpacing(5);
    subscriptionGroup->addWidget(m_subscriptionField);
    subscriptionGroup->addWidget(m_financingLine);

    m_allotmentField = new QuantityField(tr("中签数量"), QStringLiteral("0"), perLot, form);
    m_allotmentField->setObjectName(QStringLiteral("AllotmentField"));

    auto *formLayout = new QVBoxLayout(form);
    formLayout->setContentsMargins(sectionPadding, sectionPadding, sectionPadding, sectionPadding);
    formLayout->setSpacing(14);
    formLayout->addLayout(methodGroup);
    formLayout->addLayout(subscriptionGroup);
    // An 8-point gap that is an item of the stack, so the stack's spacing falls on both of its
    // sides; a box layout puts no spacing next to a spacer, hence the spacing added here once.
    formLayout->addSpacing(8 + 14);
    formLayout->addWidget(m_allotmentField);
    formLayout->addWidget(makeSaleGroup(form));

    // Actions: clear (square) and save (the rest of the row).
    auto *actions = new QWidget(this);
    m_clearButton = new ClearRecordButton(actions);
    m_saveButton = new SaveRecordButton(actions);
    auto *actionLayout = new QHBoxLayout(actions);
    // The save button carries its shadow's room below it; the bottom padding gives that back.
    actionLayout->setContentsMargins(sectionPadding, 10, sectionPadding, 6);
    actionLayout->setSpacing(8);
    actionLayout->addWidget(m_clearButton, 0, Qt::AlignTop);
    actionLayout->addWidget(m_saveButton, 1, Qt::AlignTop);

    // Below the title everything scrolls: with a sale the form is taller than a short window.
    auto *scrolled = new QWidget;
    auto *scrolledStack = new QVBoxLayout(scrolled);
    scrolledStack->setContentsMargins(0, 0, 0, 0);
    scrolledStack->setSpacing(0);
    scrolledStack->addWidget(form);
    scrolledStack->addWidget(new PaletteRule(Qt::Horizontal, PaletteColor::borderColor, 1.0, this));
    scrolledStack->addWidget(actions);
    scrolledStack->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("DetailScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(scrolled);
    scroll->viewport()->setAutoFillBackground(false);
    scrolled->setAutoFillBackground(false);
    AppLook::setScrollAreaFill(scroll, std::nullopt);

    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(m_titleSection);
    stack->addWidget(new PaletteRule(Qt::Horizontal, PaletteColor::borderColor, 1.0, this));
    stack->addWidget(scroll, 1);

    connect(m_methodControl, &SegmentedControl::activated, this,
            [this](int index) { setSubMethod(index == 1 ? SubMethod::margin : SubMethod::cash); });
    connect(m_subscriptionField, &QuantityField::textChanged, this,
            &RecordDetailPanel::updateFinancingLine);
    connect(m_allotmentField, &QuantityField::textChanged, this, [this] { updateSale(); });
    connect(m_saveButton, &QAbstractButton::clicked, this, &RecordDetailPanel::save);
    connect(m_clearButton, &QAbstractButton::clicked, this, &RecordDetailPanel::requestClear);

    m_methodControl->setCurrentIndex(methodIndex(m_subMethod));
    updateListingData();
    updateFinancingLine();
}

void RecordDetailPanel::setRecord(const IPORecord &record) {
    const bool reload = m_loadedCode && DetailPanelFields::needsReload(m_loadedCode, record);
    m_record = record;
    updateListingData();
    if (reload) {
        closeConfirmation();
        load();
        m_saveButton->setFeedback(SaveRecordButton::Feedback::none);
        m_clearButton->setShowsFailure(false);
    } else {
        updateFinancingLine();
    }
}

QString RecordDetailPanel::subQtyText() const {
    return m_subscriptionField->text();
}

QString RecordDetailPanel::winQtyText() const {
    return m_allotmentField->text();
}

bool RecordDetailPanel::isSaved() const {
    return m_saveButton->feedback() == SaveRecordButton::Feedback::saved;
}

bool RecordDetailPanel::showsSaveFailure() const {
    return m_saveButton->feedback() == SaveRecordButton::Feedback::failed;
}

QString RecordDetailPanel::financingText() const {
    return m_financingLine->isHidden() ? QString() : m_financingLabel->text();
}

QSize RecordDetailPanel::sizeHint() const {
    return QSize(280, QWidget::sizeHint().height());
}

void RecordDetailPanel::save() {
    IPORecord edited = typedRecord();
    // A sale that does not read stores nothing at all: its fields say what is wrong.
    const std::optional<IPOSale> sale = updateSale();
    if (edited.winQuantity > 0 && !sale) {
        m_saveButton->setFeedback(SaveRecordButton::Feedback::failed);
        QTimer::singleShot(feedbackMs, this,
                           [this] { m_saveButton->setFeedback(SaveRecordButton::Feedback::none); });
        return;
    }
    edited.sale = edited.winQuantity > 0 ? *sale : IPOSale{};
    const QPointer<RecordDetailPanel> self(this);
    const bool stored = m_onSave ? m_onSave(edited) : false;
    if (!self)
        return;
    // Only a stored entry counts as saved; a refused one says so, and the typed texts stay.
    m_saveButton->setFeedback(stored ? SaveRecordButton::Feedback::saved
                                     : SaveRecordButton::Feedback::failed);
    // Each save schedules its own reset, which clears whatever feedback shows by then.
    QTimer::singleShot(feedbackMs, this,
                       [this] { m_saveButton->setFeedback(SaveRecordButton::Feedback::none); });
}

void RecordDetailPanel::requestClear() {
    if (m_deleteConfirmation)
        return;
    auto *box = new QMessageBox(this);
    box->setObjectName(QStringLiteral("ClearConfirmation"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Warning);
    box->setTextFormat(Qt::PlainText);
    const QString question = tr("确定要清除 %1 的本地记录吗？").arg(m_record.ipo.name);
    box->setWindowTitle(question);
    box->setText(question);
    QPushButton *clear = box->addButton(tr("清除"), QMessageBox::DestructiveRole);
    clear->setObjectName(QStringLiteral("ConfirmClearButton"));
    QPushButton *cancel = box->addButton(tr("取消"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelClearButton"));
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    box->setWindowModality(Qt::WindowModal);
    // The code is fixed when the question is asked: the answer belongs to the IPO it names.
    const QString code = m_record.ipo.code;
    connect(box, &QMessageBox::finished, this,
            [this, box, code] { confirmationFinished(box, code); });
    m_deleteConfirmation = box;
    box->open();
}

void RecordDetailPanel::confirmationFinished(QMessageBox *box, const QString &code) {
    const bool confirmed = box->buttonRole(box->clickedButton()) == QMessageBox::DestructiveRole;
    m_deleteConfirmation.clear();
    if (!confirmed || !m_onDelete)
        return;
    const QPointer<RecordDetailPanel> self(this);
    const bool cleared = m_onDelete(code);
    if (!self || cleared)
        return;
    m_clearButton->setShowsFailure(true);
    QTimer::singleShot(feedbackMs, this, [this] { m_clearButton->setShowsFailure(false); });
}

void RecordDetailPanel::closeConfirmation() {
    if (QMessageBox *box = m_deleteConfirmation) {
        m_deleteConfirmation.clear();
        box->disconnect(this);
        box->close();
    }
}

void RecordDetailPanel::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!m_loadedCode)
        load();
}

void RecordDetailPanel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewStyle::color(PaletteColor::subtleFill));
}

void RecordDetailPanel::load() {
    const DetailPanelFields::Fields fields = DetailPanelFields::loaded(m_record);
    m_loadedCode = m_record.ipo.code;
    m_subscriptionField->setText(fields.subQtyText);
    m_allotmentField->setText(fields.winQtyText);
    const SaleForm sale = SaleForm::loaded(m_record);
    m_finalPrice->setText(sale.finalPrice);
    m_soldQuantity->setText(sale.soldQuantity);
    m_sellPrice->setText(sale.sellPrice);
    m_sellDate->setText(sale.sellDate);
    m_feeTotal->setText(sale.feeTotal);
    setSubMethod(fields.subMethod);
    updateSale();
}

void RecordDetailPanel::setSubMethod(SubMethod method) {
    m_subMethod = method;
    m_methodControl->setCurrentIndex(methodIndex(method));
    updateFinancingLine();
}

void RecordDetailPanel::updateListingData() {
    m_nameLabel->setText(m_record.ipo.name);
    m_codeBadge->setText(m_record.ipo.code);
    m_statusBadge->setText(TableCellText::statusLabel(m_record.ipo.status));
    const qint64 perLot = m_record.ipo.sharesPerLot();
    m_subscriptionField->setPerLotShares(perLot);
    m_allotmentField->setPerLotShares(perLot);
    const std::optional<qint64> top = m_record.ipo.maxOfferPriceMills();
    m_finalPrice->setPlaceholder(top ? MoneyText::mills(*top) : QString());
    const std::optional<QDate> grey = SaleForm::greyMarketDay(m_record);
    const std::optional<QDate> first = SaleForm::firstDay(m_record);
    m_greyMarketChoice->setVisible(grey.has_value());
    m_firstDayChoice->setVisible(first.has_value());
}

void RecordDetailPanel::updateFinancingLine() {
    const std::optional<QString> line =
        FinancingText::line(m_record, m_subMethod, m_subscriptionField->text());
    if (line)
        m_financingLabel->setText(*line);
    m_financingLine->setVisible(line.has_value());
}

QWidget *RecordDetailPanel::makeSaleGroup(QWidget *parent) {
    m_saleGroup = new QWidget(parent);
    m_saleGroup->setObjectName(QStringLiteral("SaleGroup"));
    m_finalPrice = new SaleField(tr("最终定价"), m_saleGroup);
    m_finalPrice->setObjectName(QStringLiteral("FinalPriceField"));
    m_soldQuantity = new SaleField(tr("卖出数量"), m_saleGroup);
    m_soldQuantity->setObjectName(QStringLiteral("SoldQuantityField"));
    m_sellPrice = new SaleField(tr("卖出均价"), m_saleGroup);
    m_sellPrice->setObjectName(QStringLiteral("SellPriceField"));
    m_sellDate = new SaleField(tr("卖出日期"), m_saleGroup);
    m_sellDate->setObjectName(QStringLiteral("SellDateField"));
    m_sellDate->setPlaceholder(QStringLiteral("yyyy-MM-dd"));
    m_feeTotal = new SaleField(tr("费用合计（可选）"), m_saleGroup);
    m_feeTotal->setObjectName(QStringLiteral("FeeTotalField"));
    m_feeTotal->setPlaceholder(tr("按费率计算"));

    // The two days an allotment is usually sold on, one click each.
    m_greyMarketChoice = new TodayButtonStyle(tr("暗盘"), m_saleGroup);
    m_greyMarketChoice->setObjectName(QStringLiteral("GreyMarketDayButton"));
    m_firstDayChoice = new TodayButtonStyle(tr("首日"), m_saleGroup);
    m_firstDayChoice->setObjectName(QStringLiteral("FirstDayButton"));
    m_sellDate->trailing()->addWidget(m_greyMarketChoice);
    m_sellDate->trailing()->addWidget(m_firstDayChoice);
    connect(m_greyMarketChoice, &QAbstractButton::clicked, this, [this] {
        if (const std::optional<QDate> day = SaleForm::greyMarketDay(m_record))
            m_sellDate->setText(day->toString(Qt::ISODate));
        updateSale();
    });
    connect(m_firstDayChoice, &QAbstractButton::clicked, this, [this] {
        if (const std::optional<QDate> day = SaleForm::firstDay(m_record))
            m_sellDate->setText(day->toString(Qt::ISODate));
        updateSale();
    });

    m_resultLine = new QLabel(m_saleGroup);
    m_resultLine->setObjectName(QStringLiteral("ResultLine"));
    m_resultLine->setTextFormat(Qt::PlainText);
    m_resultLine->setWordWrap(true);
    m_resultLine->setFont(ViewStyle::font(11, QFont::Medium));
    m_heldLine = new QLabel(m_saleGroup);
    m_heldLine->setObjectName(QStringLiteral("HeldLine"));
    m_heldLine->setTextFormat(Qt::PlainText);
    m_heldLine->setFont(ViewStyle::font(10));
    AppLook::setTextTone(m_heldLine, PaletteColor::textSecondary);

    auto *layout = new QVBoxLayout(m_saleGroup);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->setSpacing(10);
    for (SaleField *field : {m_finalPrice, m_soldQuantity, m_sellPrice, m_sellDate, m_feeTotal}) {
        layout->addWidget(field);
        connect(field, &SaleField::textEdited, this, [this] { updateSale(); });
    }
    layout->addWidget(m_resultLine);
    layout->addWidget(m_heldLine);
    m_saleGroup->hide();
    return m_saleGroup;
}

IPORecord RecordDetailPanel::typedRecord() const {
    return DetailPanelFields::edited(m_record, {subQtyText(), winQtyText(), m_subMethod});
}

std::optional<IPOSale> RecordDetailPanel::updateSale() {
    IPORecord typed = typedRecord();
    m_saleGroup->setVisible(typed.winQuantity > 0);
    m_soldQuantity->setPlaceholder(typed.winQuantity > 0 ? QString::number(typed.winQuantity)
                                                         : QString());
    const SaleForm form{m_finalPrice->text(), m_soldQuantity->text(), m_sellPrice->text(),
                        m_sellDate->text(), m_feeTotal->text()};
    const Expected<IPOSale, QList<SaleForm::Error>> sale = form.read(typed);
    const QList<SaleField *> fields{m_finalPrice, m_soldQuantity, m_sellPrice, m_sellDate,
                                    m_feeTotal};
    for (SaleField *field : fields)
        field->setMessage(QString());
    if (!sale) {
        for (const SaleForm::Error &error : sale.error())
            fields.at(static_cast<int>(error.field))->setMessage(error.message);
        m_resultLine->hide();
        m_heldLine->hide();
        return std::nullopt;
    }
    typed.sale = *sale;
    const BrokerCharges charges = m_settings ? m_settings->brokerCharges() : BrokerCharges{};
    const IPOResult result = IPOResult::of(typed, charges);
    m_resultLine->setText(SaleForm::resultLine(result));
    m_resultLine->setVisible(typed.winQuantity > 0);
    const bool redUp = !m_settings || m_settings->gainColour() == GainColour::redUp;
    const qint64 cents = result.resultCents;
    AppLook::setTextColor(m_resultLine,
                          [cents, redUp] { return ViewStyle::resultColor(cents, redUp); });
    const QString held = SaleForm::heldLine(result);
    m_heldLine->setText(held);
    m_heldLine->setVisible(typed.winQuantity > 0 && !held.isEmpty());
    return *sale;
}

QString RecordDetailPanel::resultText() const {
    return m_resultLine->isHidden() ? QString() : m_resultLine->text();
}

QString RecordDetailPanel::heldText() const {
    return m_heldLine->isHidden() ? QString() : m_heldLine->text();
}

bool RecordDetailPanel::showsSaleGroup() const {
    return !m_saleGroup->isHidden();
}
