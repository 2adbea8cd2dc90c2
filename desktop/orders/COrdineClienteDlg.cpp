#include "desktop/orders/COrdineClienteDlg.h"

#include "desktop/shell/controls/CValidatedEdit.h"

#include <QFormLayout>

namespace {

struct Field
{
    const char* label;
    int limit;
};

const Field kFields[] = {{"Ragione sociale", 50}, {"Nome", 50},      {"Cognome", 50},  {"Indirizzo", 80},
                         {"C.A.P.", 20},          {"Località", 80},  {"Prov.", 20},    {"Stato", 30},
                         {"Telefono", 20},        {"Email", 80},     {"Cod. Fis. / Partita IVA", 16}};

} // namespace

COrdineClienteDlg::COrdineClienteDlg(bool consignee, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QFormLayout(this);
    const int count = consignee ? 8 : 11;
    for (int i = 0; i < count; ++i) {
        auto* edit = new CValidatedEdit(this);
        edit->SetParam(0, kFields[i].limit, 0, 0);
        layout->addRow(QString::fromUtf8(kFields[i].label), edit);
        m_fields.append(edit);
    }
}

void COrdineClienteDlg::SetValues(const QStringList& values)
{
    for (int i = 0; i < m_fields.size(); ++i)
        m_fields.at(i)->SetValue(values.value(i));
}

QStringList COrdineClienteDlg::Values() const
{
    QStringList values;
    for (CValidatedEdit* edit : m_fields) {
        QString value;
        edit->GetValue(value);
        values << value;
    }
    return values;
}

void COrdineClienteDlg::SetReadOnly(bool locked)
{
    for (CValidatedEdit* edit : m_fields)
        edit->SetReadOnly(locked ? 1 : 0);
}
