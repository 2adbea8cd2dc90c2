#include "desktop/content/CIconButtons.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QWidget>

QHBoxLayout* CIconButtons::Make(QWidget* parent, const Look* looks, int count, QToolButton** buttons,
                                const std::function<void(int)>& clicked)
{
    auto* row = new QHBoxLayout;
    for (int i = 0; i < count; ++i) {
        buttons[i] = new QToolButton(parent);
        buttons[i]->setIcon(parent->style()->standardIcon(looks[i].icon));
        buttons[i]->setIconSize(QSize(16, 16));
        buttons[i]->setToolTip(QString::fromUtf8(looks[i].tip));
        QObject::connect(buttons[i], &QToolButton::clicked, parent, [clicked, i] { clicked(i); });
        row->addWidget(buttons[i]);
    }
    row->addStretch();
    return row;
}
