#pragma once

#include "desktop/shell/app/ITindaView.h"
#include "desktop/shell/controls/CGridCore.h"

#include <QStringList>

#include <functional>
#include <QWidget>

// An editor view whose answers a test sets, recording what the frame asked.
class FakeView : public QWidget, public ITindaView
{
public:
    CloseRule rule = ClosePlain;
    QString insertCaption = QStringLiteral("Inserimento prodotto");
    bool inserting = false;
    bool insertingAfterSave = false;
    int recordMode = 0;
    bool recordModified = false;
    bool saveRecordOk = true;
    bool newRowPending = false;
    bool saveNewRowOk = true;
    bool rowModified = false;
    bool saveRowOk = true;
    bool fieldRowPending = false;
    bool saveFieldGridOk = true;
    CGridCore grid;
    int pendingRow = 3;
    int pendingCol = 2;
    int refreshCount = 0;
    bool languageLeft = true;   // what CanChangeLanguage answers
    QStringList calls;
    std::function<void()> onSave;   // what a successful save also does

    FakeView()
    {
        grid.SetColumnCount(4);
        for (int i = 0; i < 5; ++i)
            grid.AddRow(QStringLiteral("a\tb\tc\td\t"));
    }

    CloseRule GetCloseRule() const override { return rule; }
    QString GetInsertCaption() const override { return insertCaption; }
    bool IsInsertingRecord() const override { return inserting; }
    int GetRecordMode() const override { return recordMode; }
    bool IsRecordModified() override { calls << "IsRecordModified"; return recordModified; }
    bool SaveRecord() override
    {
        calls << "SaveRecord";
        if (saveRecordOk) {
            inserting = insertingAfterSave;
            if (onSave)
                onSave();
        }
        return saveRecordOk;
    }
    bool IsNewRowPending() const override { return newRowPending; }
    bool SaveNewRow() override { calls << "SaveNewRow"; return saveNewRowOk; }
    bool IsRowModified() override { calls << "IsRowModified"; return rowModified; }
    bool SaveRow() override { calls << "SaveRow"; return saveRowOk; }
    bool IsFieldRowPending() const override { return fieldRowPending; }
    bool SaveFieldGrid() override { calls << "SaveFieldGrid"; return saveFieldGridOk; }
    CGridCore* GetPendingGrid() override { return &grid; }
    int GetPendingRow() const override { return pendingRow; }
    int GetPendingCol() const override { return pendingCol; }
    bool CanChangeLanguage() override { return languageLeft; }
    void RefreshLanguage() override { ++refreshCount; }
};
