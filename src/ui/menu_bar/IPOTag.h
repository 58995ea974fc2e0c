#pragma once

#include "model/IPORecord.h"

#include <QWidget>

class ElidedLabel;
class LotBadge;

// One IPO in a day cell: its name on a small rounded chip, then "申" and "中" lot badges when
// the user subscribed or was allotted whole lots. The name gives way (truncates) first.
class IPOTag : public QWidget {
    Q_OBJECT
public:
    explicit IPOTag(const IPORecord &record, QWidget *parent = nullptr);

    const IPORecord &record() const { return m_record; }
    ElidedLabel *nameLabel() const { return m_name; }
    QList<LotBadge *> badges() const;

private:
    IPORecord m_record;
    ElidedLabel *m_name;
};
