#include "desktop/shell/app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Informazioni su Quintaro"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<b>Quintaro</b> versione %1 %2").arg(VersionText(), BuildText()));
    name->setObjectName(QStringLiteral("version"));
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("Copyright (C) Morvella")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionText()
{
    QString digits = QString::number(kVersion);
    digits.insert(1, QLatin1Char('.'));
    return digits;
}

QString CAboutDlg::BuildText()
{
    return QStringLiteral("(Build %1)").arg(kBuild);
}
