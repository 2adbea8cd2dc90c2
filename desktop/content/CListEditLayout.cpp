#include "desktop/content/CListEditLayout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void CListEditLayout::Build(QDialog* dialog, QLayout* fields, QLayout* buttons, QListWidget* list)
{
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(list, 1);
    layout->addWidget(close);
    QObject::connect(close, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}
