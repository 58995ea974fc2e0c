#pragma once

#include "model/IPORecord.h"
#include "model/SubMethod.h"

#include <QString>

#include <optional>

// The detail panel's editable fields and how they meet the record: what they load from it and
// what a save hands back.
namespace DetailPanelFields {

struct Fields {
    QString subQtyText;
    QString winQtyText;
    SubMethod subMethod = SubMethod::cash;

    friend bool operator==(const Fields &, const Fields &) = default;
};

// The stored quantities as digits (empty when not above 0); an IPO without any figures starts
// on margin, any other keeps its stored method.
Fields loaded(const IPORecord &record);

// Whether a newly published record replaces what the user typed: only when it is another IPO
// (or the panel has loaded nothing yet). The same IPO republished keeps the typed texts.
bool needsReload(const std::optional<QString> &loadedCode, const IPORecord &record);

// A copy of `record` with the typed quantities (texts that are no quantity count as 0, values
// are not clamped) and the selected method; the listing data stays as it is.
IPORecord edited(const IPORecord &record, const Fields &fields);

} // namespace DetailPanelFields
