#pragma once

#include "desktop/orders/COrderTextViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class QPlainTextEdit;

// The terms of sale or the customer notification text, one multi-line
// field in the language selected in the main window; saved unasked on a
// change of language and on closing.
class COrderTextView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    COrderTextView(CDaoDatabase& db, COrderTextViewCore::Kind kind, const QString& currentLanguage,
                   const QString& defaultLanguage, QWidget* parent = nullptr);

    std::function<QString()> m_currentLanguage;
    QPlainTextEdit* Field() const { return m_pText; }

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseRecordLenient; }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    void RefreshLanguage() override;

private:
    void Show(const std::optional<QString>& text);

    COrderTextViewCore m_core;
    QPlainTextEdit* m_pText;
};
