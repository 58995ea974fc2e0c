#include "IPOTag.h"
#include "ui/look/ViewStyle.h"

#include "ElidedLabel.h"
#include "LotBadge.h"
#include "PanelStyle.h"
#include "ui/look/Palette.h"

#include <QHBoxLayout>

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
        row->addWidget(new LotBadge(QStringLiteral("申") + QString::number(subscribed),
                                    PaletteColor::accentAmber, this));
    const qint64 winning = record.winningLots();
    if (winning > 0)
        row->addWidget(new LotBadge(QStringLiteral("中") + QString::number(winning),
                                    PaletteColor::accentAmberDeep, this));
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

QList<LotBadge *> IPOTag::badges() const {
    return findChildren<LotBadge *>(Qt::FindDirectChildrenOnly);
}
