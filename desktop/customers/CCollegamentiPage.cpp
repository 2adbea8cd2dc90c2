#include "desktop/customers/CCollegamentiPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CCollegamentiPage::CCollegamentiPage(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    const char* const texts[MoveCount] = {">", "<", ">>", "<<"};
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < MoveCount; ++i) {
        m_buttons[i] = new QPushButton(QString::fromLatin1(texts[i]), this);
        buttons->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { OnMove(i); });
    }
    buttons->addStretch();
    for (int side = 0; side < 2; ++side) {
        m_pHeadings[side] = new QLabel(this);
        m_pLists[side] = new QListWidget(this);
        m_pLists[side]->setSortingEnabled(true);
        grid->addWidget(m_pHeadings[side], 0, side * 2);
        grid->addWidget(m_pLists[side], 1, side * 2);
        connect(m_pLists[side], &QListWidget::itemSelectionChanged, this, [this, side] {
            if (m_pLists[side]->selectedItems().isEmpty())
                return;
            const QSignalBlocker block(m_pLists[1 - side]);
            m_pLists[1 - side]->clearSelection();
            m_buttons[MoveRight]->setEnabled(side == 0);
            m_buttons[MoveLeft]->setEnabled(side == 1);
        });
    }
    grid->addLayout(buttons, 1, 1);
    Clear();
}

void CCollegamentiPage::Clear()
{
    m_pLinks = nullptr;
    for (int side = 0; side < 2; ++side)
        m_pLists[side]->clear();
    for (QPushButton* button : m_buttons)
        button->setEnabled(false);
}

void CCollegamentiPage::Show(CClientiCollegamenti* links)
{
    Clear();
    m_pLinks = links;
    if (!links)
        return;
    for (int side = 0; side < 2; ++side) {
        const auto which = CClientiCollegamenti::Side(side);
        m_pHeadings[side]->setText(links->Heading(which));
        const QSignalBlocker block(m_pLists[side]);
        for (const CClientiCollegamenti::Entry& entry : links->List(which)) {
            auto* item = new QListWidgetItem(entry.strText, m_pLists[side]);
            item->setData(Qt::UserRole, entry.nID);
        }
    }
    m_buttons[MoveAllRight]->setEnabled(!links->List(CClientiCollegamenti::Left).isEmpty());
    m_buttons[MoveAllLeft]->setEnabled(!links->List(CClientiCollegamenti::Right).isEmpty());
}

void CCollegamentiPage::OnMove(int move)
{
    CClientiCollegamenti* links = m_pLinks;
    if (!links)
        return;
    const auto run = [&] {
        switch (move) {
        case MoveRight:
        case MoveLeft: {
            const int side = move == MoveRight ? 0 : 1;
            const QListWidgetItem* item = m_pLists[side]->currentItem();
            if (item && item->isSelected())
                links->Move(CClientiCollegamenti::Side(side), item->data(Qt::UserRole).toInt());
            break;
        }
        case MoveAllRight: links->MoveAll(CClientiCollegamenti::Left); break;
        case MoveAllLeft: links->MoveAll(CClientiCollegamenti::Right); break;
        default: break;
        }
    };
    if (m_guard)
        m_guard(run);
    else
        run();
    Show(links);
}
