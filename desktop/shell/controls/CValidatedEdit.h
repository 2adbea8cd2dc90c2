#pragma once

#include "desktop/shell/controls/CFilteredLineEdit.h"
#include "desktop/shell/controls/CValidatedEditRules.h"

#include <QDateTime>

// The entry field of the desktop forms: a form states once what the field
// accepts (SetParam, SetAllowedChr) and then reads and writes it only as
// typed values. Numbers are shown and read like the grid's (CNumberText:
// the region's decimal comma, or the point); while the field has the focus
// it shows the entry without group separators. A number that does not read
// is refused when the field is left ("Numero non corretto!"). A date, time or fiscal
// code that does not check is reported when the field is left ("Data non
// corretta!", "Ora non corretta!", "Codice fiscale non corretto!", titled
// "Validazione campi") and stays in the field to be corrected.
class CValidatedEdit : public CFilteredLineEdit
{
    Q_OBJECT
public:
    explicit CValidatedEdit(QWidget* parent = nullptr);
    ~CValidatedEdit() override;

    void SetParam(quint8 kind, int width, int flag, int decimals);
    void SetAllowedChr(const QString& characters);

    void SetValue(const QString& value);
    void SetValue(int value);
    void SetValue(qint64 value);
    void SetValue(float value);
    void SetValue(double value);
    void SetValue(const QDateTime& value);

    void GetValue(QString& value) const;
    void GetValue(int& value) const;
    void GetValue(qint64& value) const;
    void GetValue(float& value) const;
    void GetValue(double& value) const;
    void GetValue(QDateTime& value) const;

    void Blank();
    void SetReadOnly(int flag);

    const CValidatedEditRules& Rules() const { return m_rules; }
    // Checks the entry as leaving the field does; false after a message.
    bool ValidateEntry();

protected:
    bool AcceptTyped(QChar ch, int selStart, int selLength) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Show(const QString& text);

    CValidatedEditRules m_rules;
};
