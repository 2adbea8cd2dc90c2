#pragma once

#include <QStringList>
#include <QWidget>

class CValidatedEdit;

// The billing page ("  Dati cliente  ": eleven fields) or, built with
// consignee set, the consignee page ("  Dati destinatario  ": the first
// eight). The page holds nothing but its fields; the view fills, reads and
// locks it.
class COrdineClienteDlg : public QWidget
{
    Q_OBJECT
public:
    explicit COrdineClienteDlg(bool consignee, QWidget* parent = nullptr);

    void SetValues(const QStringList& values);
    QStringList Values() const;
    void SetReadOnly(bool locked);
    CValidatedEdit* Field(int index) const { return m_fields.at(index); }

private:
    QList<CValidatedEdit*> m_fields;
};
