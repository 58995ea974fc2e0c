#include "IPOTag.h"
#include "ui/look/ViewStyle.h"

#include "ElidedLabel.h"
#include "LotBadge.h"
#include "PanelStyle.h"
#include "ui/look/Palette.h"

#include <QHBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// A translated count takes an int; only a corrupt entry could hold more lots than that.
int badgeCount(qint64 lots) {
    return static_cast<int>(std::min<qint64>(lots, std::numeric_limits<int>::max()));
}

} // namespace

IPOTag::IPOTag(const IPORecord &record, QWidget *parent)
    : QWidget(parent)
    , m_record(record)
    , m_name(new ElidedLabel(record.ipo.name, this)) {
    setObjectName(QStringLiteral("ipoTag"));
    m_name->setObjectName(QStringLiteral("ipoTagName"));
    m_name->setTextFont(ViewStyle::font(10, QFont::Medium));
    m_name->setTextColor(ViewStyle::tone(PaletteColor::textPrimary));
    m_name->setPadding(QMargins(5, 2, 5, 2));
    m_name->setChip(ViewStyle::tone(PaletteColor::glassFill),
                    ViewStyle::tone(PaletteColor::borderColor), 4, 1);
    m_name->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    row->addWidget(m_name);
    const qint64 subscribed = record.subscribedLots();
    if (subscribed > 0)
        row->addWidget(new LotBadge(
            tr("申%n", "lot badge: the number of lots applied for", badgeCount(subscribed)),
            PaletteColor::accentAmber, this));
    const qint64 winning = record.winningLots();
    if (winning > 0)
        row->addWidget(
            new LotBadge(tr("中%n", "lot badge: the number of lots allotted", badgeCount(winning)),
                         PaletteColor::accentAmberDeep, this));
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

QList<LotBadge *> IPOTag::badges() const {
    return findChildren<LotBadge *>(Qt::FindDirectChildrenOnly);
}
