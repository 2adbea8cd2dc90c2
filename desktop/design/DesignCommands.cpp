// The graphic template editor's commands in tinda's command table: the
// command that opens the editor, and the editor's own menu and tool-bar
// commands, which the open editor answers (ITindaView). Linked whole into
// tinda (TINDA_VIEW_LIBRARIES), so these registrars run when the program
// loads.

#include "desktop/design/CTemplateFrame.h"
#include "desktop/publishing/previewwindow/CBrowserView.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

CCommandInfo Editor()
{
    CCommandInfo info;
    info.nId = ID_PROGETTAZIONE_MODELLO;
    info.rule = CommandRule::Project;
    info.strPrompt = QStringLiteral("Progettazione modello grafico");
    info.strTitle = QString::fromLatin1(CTemplateFrame::kTitle);
    info.bMaximized = true;
    info.createFrame = []() -> QMdiSubWindow* {
        CTindaApp* app = TindaApp();
        return app ? CTemplateFrame::Create(*app, CBrowserView::kPreviewPort) : nullptr;
    };
    return info;
}

// A command of the editor's menu: no place in the main menu, its text and
// prompt as the editor's menu shows them.
CCommandInfo EditorCommand(int id, const char* caption, const char* prompt)
{
    CCommandInfo info;
    info.nId = id;
    info.rule = CommandRule::ActiveView;
    info.strCaption = QString::fromUtf8(caption);
    info.strPrompt = QString::fromUtf8(prompt);
    return info;
}

const CCommandRegistrar s_commands({
    Editor(),
    EditorCommand(ID_NUOVO_PROGETTO_GRAFICO, "&Nuovo", "Nuovo progetto grafico."),
    EditorCommand(ID_IMPORTA_PROGETTO_GRAFICO, "&Importa", "Importa progetto grafico esistente."),
    EditorCommand(ID_ESPORTA_PROGETTO_GRAFICO, "&Esporta", "Esporta progetto grafico corrente."),
    EditorCommand(ID_ESPORTA_ANTEPRIMA, "Esporta &anteprima", "Esporta anterpima progetto grafico corrente."),
    EditorCommand(ID_RIGENERA_PROGETTO, "&Rigenera intero progetto", "Rigenera intero progetto grafico."),
    EditorCommand(ID_DUPLICA_BLOCCO, "&Duplica", "Duplica blocco corrente."),
    EditorCommand(ID_ELIMINA_BLOCCO, "&Elimina", "Elimina blocco corrente."),
    EditorCommand(ID_STILI_BLOCCO, "S&tili", "Modifica stili blocco corrente."),
    EditorCommand(ID_PARAMETRI_BLOCCO, "&Parametri", "Modifica parametri blocco corrente."),
    EditorCommand(ID_COLORI, "Co&lori", "Modifica colori sito e immagini."),
    EditorCommand(ID_COPIA_BLOCCO, "&Copia", "Copia blocco corrente."),
    EditorCommand(ID_TAGLIA_BLOCCO, "Sp&osta", "Sposta blocco corrente."),
    EditorCommand(ID_INCOLLA_BLOCCO, "&Incolla", "Incolla blocco selezionato sotto il blocco corrente."),
    EditorCommand(ID_INCOLLA_RIFERIMENTO, "Incolla ri&ferimento", "Incolla riferimento sotto il blocco corrente."),
    EditorCommand(ID_INSERISCI_BLOCCO, "&Blocco", "Inserisci nuovo blocco sotto il blocco corrente."),
    EditorCommand(ID_INSERISCI_BLOCCO_CONDIZIONATO, "B&locco condizionato",
                  "Inserisci nuovo blocco condizionato sotto il blocco corrente."),
    EditorCommand(ID_INSERISCI_TABELLA, "&Tabella", "Inserisci nuova tabella sotto il blocco corrente."),
    EditorCommand(ID_INSERISCI_COLONNA, "&Colonna", "Inserisci nuova colonna sotto la tabella corrente."),
    EditorCommand(ID_INSERISCI_FUNZIONALITA, "&Funzionalità", "Inserisci nuova funzionalità sotto il blocco corrente."),
});

} // namespace
