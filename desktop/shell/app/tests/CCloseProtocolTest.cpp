#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/tests/FakeView.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

const QString kInsertWarning = QStringLiteral("ATTENZIONE: annullare l'inserimento in corso prima di uscire.");

struct CloseCase
{
    const char* name;
    ITindaView::CloseRule rule;
    std::function<void(FakeView&)> setup;
    bool mayClose;
    QStringList calls;        // what the protocol asked the view, in order
    QString message;          // the box shown, empty when none
    bool cursorOnPending;     // the grid's current cell moved to the pending edit
};

class CloseProtocolCases : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseProtocolCases, FollowsTheViewsRule)
{
    const CloseCase& c = GetParam();
    CMessageBoxScript boxes;
    FakeView view;
    view.rule = c.rule;
    c.setup(view);
    CCloseProtocol protocol(nullptr, [] { return true; });

    EXPECT_EQ(protocol.MayClose(view), c.mayClose);
    EXPECT_EQ(view.calls, c.calls);
    EXPECT_EQ(boxes.LastText(), c.message);
    if (c.cursorOnPending) {
        EXPECT_EQ(view.grid.GetCurRow(), view.pendingRow);
        EXPECT_EQ(view.grid.GetCurCol(), view.pendingCol);
    } else {
        EXPECT_EQ(view.grid.GetCurRow(), -1);
    }
}

const QStringList kModifiedThenSave = {"IsRecordModified", "SaveRecord"};
const QStringList kRowModifiedThenSave = {"IsRowModified", "SaveRow"};

INSTANTIATE_TEST_SUITE_P(
    Rules, CloseProtocolCases,
    ::testing::Values(
        CloseCase{"PlainClosesWithoutQuestions", ITindaView::ClosePlain,
                  [](FakeView& v) { v.recordModified = true; v.saveRecordOk = false; }, true, {}, {}, false},
        CloseCase{"GuardedInsertingWarnsAndStays", ITindaView::CloseInsertGuarded,
                  [](FakeView& v) { v.inserting = true; }, false, {}, kInsertWarning, false},
        CloseCase{"GuardedFailedSaveStays", ITindaView::CloseInsertGuarded,
                  [](FakeView& v) { v.recordModified = true; v.saveRecordOk = false; }, false,
                  kModifiedThenSave, {}, false},
        CloseCase{"GuardedGoodSaveCloses", ITindaView::CloseInsertGuarded,
                  [](FakeView& v) { v.recordModified = true; }, true, kModifiedThenSave, {}, false},
        CloseCase{"GuardedModeOneSkipsTheModifiedTest", ITindaView::CloseInsertGuarded,
                  [](FakeView& v) { v.recordMode = 1; v.recordModified = true; v.saveRecordOk = false; }, true,
                  {}, {}, false},
        CloseCase{"GuardedStillInsertingAfterSaveStays", ITindaView::CloseInsertGuarded,
                  [](FakeView& v) { v.recordModified = true; v.insertingAfterSave = true; }, false,
                  kModifiedThenSave, kInsertWarning, false},
        CloseCase{"StrictFailedSaveStays", ITindaView::CloseRecordStrict,
                  [](FakeView& v) { v.recordModified = true; v.saveRecordOk = false; }, false,
                  kModifiedThenSave, {}, false},
        CloseCase{"StrictUnmodifiedCloses", ITindaView::CloseRecordStrict, [](FakeView&) {}, true,
                  {"IsRecordModified"}, {}, false},
        CloseCase{"LenientFailedSaveCloses", ITindaView::CloseRecordLenient,
                  [](FakeView& v) { v.recordModified = true; v.saveRecordOk = false; }, true,
                  kModifiedThenSave, {}, false},
        CloseCase{"LenientRowFailedSaveCloses", ITindaView::CloseRowLenient,
                  [](FakeView& v) { v.rowModified = true; v.saveRowOk = false; }, true,
                  kRowModifiedThenSave, {}, false},
        CloseCase{"GridFailedNewRowStaysOnPendingCell", ITindaView::CloseGrid,
                  [](FakeView& v) { v.newRowPending = true; v.saveNewRowOk = false; }, false,
                  {"SaveNewRow"}, {}, true},
        CloseCase{"GridFailedRowSaveStaysOnPendingCell", ITindaView::CloseGrid,
                  [](FakeView& v) { v.rowModified = true; v.saveRowOk = false; }, false,
                  kRowModifiedThenSave, {}, true},
        CloseCase{"GridSavedRowsClose", ITindaView::CloseGrid,
                  [](FakeView& v) { v.newRowPending = true; v.rowModified = true; }, true,
                  {"SaveNewRow", "IsRowModified", "SaveRow"}, {}, false},
        CloseCase{"FormFailedFieldGridStaysOnPendingCell", ITindaView::CloseFormWithGrid,
                  [](FakeView& v) { v.fieldRowPending = true; v.saveFieldGridOk = false; }, false,
                  {"SaveFieldGrid"}, {}, true},
        CloseCase{"FormInsertingWarnsAndStays", ITindaView::CloseFormWithGrid,
                  [](FakeView& v) { v.inserting = true; v.insertCaption = QStringLiteral("Inserimento modulo"); },
                  false, {}, kInsertWarning, false},
        CloseCase{"FormFailedSaveStays", ITindaView::CloseFormWithGrid,
                  [](FakeView& v) { v.recordModified = true; v.saveRecordOk = false; }, false,
                  kModifiedThenSave, {}, false}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST(CloseProtocol, InsertWarningCarriesTheViewsCaption)
{
    CMessageBoxScript boxes;
    FakeView view;
    view.rule = ITindaView::CloseInsertGuarded;
    view.inserting = true;
    view.insertCaption = QStringLiteral("Inserimento utente");
    CCloseProtocol(nullptr, {}).MayClose(view);
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown().first().caption, QStringLiteral("Inserimento utente"));
    EXPECT_EQ(boxes.Shown().first().icon, CMessageBox::Exclamation);
}

TEST(CloseProtocol, LanguagesEditorNeedsAnActiveLanguage)
{
    CMessageBoxScript boxes;
    FakeView view;
    view.rule = ITindaView::CloseGridLanguages;
    bool active = false;
    int loads = 0;
    CCloseProtocol protocol(nullptr, [&] { ++loads; return active; });

    EXPECT_FALSE(protocol.MayClose(view));
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown().first().text, QStringLiteral("ATTENZIONE: attivare almeno una lingua prima di uscire."));
    EXPECT_EQ(boxes.Shown().first().caption, QStringLiteral("Gestione lingue"));

    active = true;
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_EQ(loads, 2);
}

TEST(CloseProtocol, LanguagesEditorWithAFailedRowDoesNotReloadLanguages)
{
    CMessageBoxScript boxes;
    FakeView view;
    view.rule = ITindaView::CloseGridLanguages;
    view.rowModified = true;
    view.saveRowOk = false;
    int loads = 0;
    EXPECT_FALSE(CCloseProtocol(nullptr, [&] { ++loads; return true; }).MayClose(view));
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

} // namespace
