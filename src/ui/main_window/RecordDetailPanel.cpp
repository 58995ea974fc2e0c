#include "RecordDetailPanel.h"

#include "ClearRecordButton.h"
#include "DetailPanelFields.h"
#include "FinancingText.h"
#include "PaletteRule.h"
#include "QuantityField.h"
#include "SaveRecordButton.h"
#include "SegmentedControl.h"
#include "TableCellText.h"
#include "TagBadge.h"
#include "ui/look/AppLook.h"
#include "ui/look/ViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
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
                                     DeleteCallback onDelete, QWidget *parent)
    : QWidget(parent)
    , m_record(record)
    , m_onSave(std::move(onSave))
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
    m_methodCaption = captionLabel(QStringLiteral("申购方式"), form);
    AppLook::setTextTone(m_methodCaption, PaletteColor::textSecondary);
    m_methodControl =
        new SegmentedControl({QStringLiteral("现金申购"), QStringLiteral("融资90%")}, form);
    m_methodControl->setObjectName(QStringLiteral("MethodControl"));
    m_methodControl->setAccessibleName(QStringLiteral("申购方式"));
    auto *methodGroup = new QVBoxLayout;
    methodGroup->setSpacing(5);
    methodGroup->addWidget(m_methodCaption);
    methodGroup->addWidget(m_methodControl);

    m_subscriptionField =
        new QuantityField(QStringLiteral("申购数量"), QStringLiteral("0"), perLot, form);
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

    m_allotmentField =
        new QuantityField(QStringLiteral("中签数量"), QStringLiteral("0"), perLot, form);
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

    auto *stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(m_titleSection);
    stack->addWidget(new PaletteRule(Qt::Horizontal, PaletteColor::borderColor, 1.0, this));
    stack->addWidget(form);
    stack->addWidget(new PaletteRule(Qt::Horizontal, PaletteColor::borderColor, 1.0, this));
    stack->addWidget(actions);
    stack->addStretch(1);

    connect(m_methodControl, &SegmentedControl::activated, this,
            [this](int index) { setSubMethod(index == 1 ? SubMethod::margin : SubMethod::cash); });
    connect(m_subscriptionField, &QuantityField::textChanged, this,
            &RecordDetailPanel::updateFinancingLine);
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
    const DetailPanelFields::Fields fields{subQtyText(), winQtyText(), m_subMethod};
    const IPORecord edited = DetailPanelFields::edited(m_record, fields);
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
    const QString question =
        QStringLiteral("确定要清除 ") + m_record.ipo.name + QStringLiteral(" 的本地记录吗？");
    box->setWindowTitle(question);
    box->setText(question);
    QPushButton *clear = box->addButton(QStringLiteral("清除"), QMessageBox::DestructiveRole);
    clear->setObjectName(QStringLiteral("ConfirmClearButton"));
    QPushButton *cancel = box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
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
    setSubMethod(fields.subMethod);
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
}

void RecordDetailPanel::updateFinancingLine() {
    const std::optional<QString> line =
        FinancingText::line(m_record, m_subMethod, m_subscriptionField->text());
    if (line)
        m_financingLabel->setText(*line);
    m_financingLine->setVisible(line.has_value());
}
