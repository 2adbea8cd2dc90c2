#pragma once

#include <QString>

// What the project upgrade tells the one watching it, and how it learns of
// a cancel. CAggiornamentoProgettoDlg shows it; tests record it. The calls
// come from the upgrade's thread, which may be a worker.
class IUpgradeProgress
{
public:
    virtual ~IUpgradeProgress() = default;
    virtual void SetTableLabel(const QString& text) = 0;
    virtual void SetTableRange(int lower, int upper) = 0;
    virtual void SetTablePos(int position) = 0;
    virtual void SetRecordLabel(const QString& text) = 0;
    virtual void SetRecordRange(int lower, int upper) = 0;
    virtual void SetRecordPos(int position) = 0;
    // Asked between rows: true once the user cancelled.
    virtual bool IsCancelled() = 0;
};
