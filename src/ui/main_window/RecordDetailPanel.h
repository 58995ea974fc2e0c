#pragma once

#include "model/IPORecord.h"
#include "model/IPOSale.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class AppSettings;
class ClearRecordButton;
class QLabel;
class SaleField;
class QuantityField;
class SaveRecordButton;
class SegmentedControl;
class TagBadge;
class TodayButtonStyle;

// The right-hand pane for the selected IPO: the user's subscribed and allotted shares, the
// payment method and, once shares are allotted, what was sold and what it earned, saved or
// cleared through the two callbacks it is given (it never writes data itself). The typed texts
// are the panel's own until another IPO is shown. The form scrolls where the window is short.
class RecordDetailPanel : public QWidget {
    Q_OBJECT
public:
    // Both report whether the repository stored the change.
    using SaveCallback = std::function<bool(const IPORecord &record)>;
    using DeleteCallback = std::function<bool(const QString &code)>;

    // How long the save (and failed clear) feedback stays.
    static constexpr int feedbackMs = 1800;

    // `settings` gives the broker's charges and the colour of gains; none: the defaults.
    RecordDetailPanel(const IPORecord &record, SaveCallback onSave, DeleteCallback onDelete,
                      const AppSettings *settings = nullptr, QWidget *parent = nullptr);

    const IPORecord &record() const { return m_record; }
    // The record as published now. Another IPO reloads the fields; the same IPO republished
    // (after a save or a refresh) only refreshes what is drawn from the listing data.
    void setRecord(const IPORecord &record);

    QString subQtyText() const;
    QString winQtyText() const;
    SubMethod subMethod() const { return m_subMethod; }
    bool isSaved() const;
    bool showsSaveFailure() const;
    bool showsDeleteConfirm() const { return !m_deleteConfirmation.isNull(); }
    // The financing line's text; empty while the line is hidden.
    QString financingText() const;
    // The live result and held lines of the sale group; empty while hidden.
    QString resultText() const;
    QString heldText() const;
    bool showsSaleGroup() const;
    SaleField *finalPriceField() const { return m_finalPrice; }
    SaleField *soldQuantityField() const { return m_soldQuantity; }
    SaleField *sellPriceField() const { return m_sellPrice; }
    SaleField *sellDateField() const { return m_sellDate; }
    SaleField *feeTotalField() const { return m_feeTotal; }

    QuantityField *subscriptionField() const { return m_subscriptionField; }
    QuantityField *allotmentField() const { return m_allotmentField; }
    SegmentedControl *methodControl() const { return m_methodControl; }
    SaveRecordButton *saveButton() const { return m_saveButton; }
    ClearRecordButton *clearButton() const { return m_clearButton; }
    // The open clear confirmation, if any.
    QMessageBox *deleteConfirmation() const { return m_deleteConfirmation; }

    QSize sizeHint() const override;

public slots:
    void save();
    // Opens the clear confirmation; "清除" clears, "取消" only closes it.
    void requestClear();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void load();
    void setSubMethod(SubMethod method);
    void updateListingData();
    void updateFinancingLine();
    QWidget *makeSaleGroup(QWidget *parent);
    // The record as typed now (quantities and method; the sale when it reads).
    IPORecord typedRecord() const;
    // Checks the sale texts, shows what is wrong beside each field and the live result;
    // the sale when every text reads.
    std::optional<IPOSale> updateSale();
    void confirmationFinished(QMessageBox *box, const QString &code);
    void closeConfirmation();

    IPORecord m_record;
    SaveCallback m_onSave;
    const AppSettings *m_settings;
    DeleteCallback m_onDelete;
    SubMethod m_subMethod = SubMethod::cash;
    std::optional<QString> m_loadedCode;

    QWidget *m_titleSection;
    QLabel *m_nameLabel;
    TagBadge *m_codeBadge;
    TagBadge *m_statusBadge;
    QLabel *m_methodCaption;
    SegmentedControl *m_methodControl;
    QuantityField *m_subscriptionField;
    QWidget *m_financingLine;
    QLabel *m_financingSymbol;
    QLabel *m_financingLabel;
    QuantityField *m_allotmentField;
    QWidget *m_saleGroup;
    SaleField *m_finalPrice;
    SaleField *m_soldQuantity;
    SaleField *m_sellPrice;
    SaleField *m_sellDate;
    TodayButtonStyle *m_greyMarketChoice;
    TodayButtonStyle *m_firstDayChoice;
    SaleField *m_feeTotal;
    QLabel *m_resultLine;
    QLabel *m_heldLine;
    ClearRecordButton *m_clearButton;
    SaveRecordButton *m_saveButton;
    QPointer<QMessageBox> m_deleteConfirmation;
};
