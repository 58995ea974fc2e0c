#include "DetailPanelFields.h"

#include "QuantityParsing.h"

namespace DetailPanelFields {

namespace {

QString digitsWhenPositive(qint64 quantity) {
    return quantity > 0 ? QString::number(quantity) : QString();
}

} // namespace

Fields loaded(const IPORecord &record) {
    Fields fields;
    fields.subQtyText = digitsWhenPositive(record.subQuantity);
    fields.winQtyText = digitsWhenPositive(record.winQuantity);
    const bool noFigures = record.subQuantity == 0 && record.winQuantity == 0;
    fields.subMethod = noFigures ? SubMethod::margin : record.subMethod;
    return fields;
}

bool needsReload(const std::optional<QString> &loadedCode, const IPORecord &record) {
    return !loadedCode || *loadedCode != record.ipo.code;
}

IPORecord edited(const IPORecord &record, const Fields &fields) {
    IPORecord copy = record;
    copy.subQuantity = QuantityParsing::quantityOrZero(fields.subQtyText);
    copy.winQuantity = QuantityParsing::quantityOrZero(fields.winQtyText);
    copy.subMethod = fields.subMethod;
    return copy;
}

} // namespace DetailPanelFields
