<%
// The checkout data: the buyer, an optional consignee and the payment
// kind. A logged-in customer finds his data already filled in; a rejected
// form comes back with what was typed and the reason.
function Html(testo) {
    return String(testo === undefined || testo === null ? "" : testo)
        .replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}
function Attivo(chiave) {
    var valore = String(Session(chiave) === undefined ? "" : Session(chiave)).toLowerCase();
    return valore == "true" || valore == "1" || valore == "-1";
}
var ordine = Server.CreateObject("QTR50.Ordine");
var esito = -1;
if (Request.ServerVariables("REQUEST_METHOD") == "POST") {
    esito = ordine.ControlloDatiPersonali();
    if (esito == 1)
        Response.Redirect("carrello.asp");
} else {
    ordine.AzzeraDatiPersonali();
}
function Campo(nome, etichetta, valore, lunghezza) {
    return '<p><label for="' + nome + '">' + etichetta + '</label> <input type="text" id="' + nome + '" name="' + nome +
           '" maxlength="' + lunghezza + '" value="' + Html(valore) + '"></p>';
}
var pagamenti = [["Bonifico", "Bonifico bancario", "AttivaBonifico"], ["CCPostale", "Conto corrente postale", "AttivaCCPostale"],
                 ["Contrassegno", "Contrassegno", "AttivaContrassegno"], ["CartaCredito", "Carta di credito", "AttivaCartaCredito"]];
%><!DOCTYPE html>
<html lang="it">
<head>
<meta charset="utf-8">
<title>Dati per l'ordine</title>
</head>
<body>
<h1>Dati per l'ordine</h1>
<% if (esito == 0) { %>
<p id="accettati">Grazie, <%= Html(ordine.Nome) %> <%= Html(ordine.Cognome) %>: i tuoi dati sono stati accettati.</p>
<p><a href="carrello.asp">Torna al carrello</a></p>
<% } else { %>
<% if (ordine.Errore != "") { %>
<p class="errore" id="errore"><%= Html(ordine.Errore) %></p>
<% } %>
<form method="post" action="datiordine.asp" id="dati">
<fieldset><legend>Acquirente</legend>
<%= Campo("RagioneSociale", "Ragione sociale", ordine.RagioneSociale, 50) %>
<%= Campo("Cognome", "Cognome *", ordine.Cognome, 50) %>
<%= Campo("Nome", "Nome", ordine.Nome, 50) %>
<%= Campo("Indirizzo", "Indirizzo *", ordine.Indirizzo, 80) %>
<%= Campo("Cap", "CAP *", ordine.Cap, 20) %>
<%= Campo("Localita", "Località *", ordine.Localita, 80) %>
<%= Campo("Provincia", "Provincia *", ordine.Provincia, 20) %>
<%= Campo("Stato", "Stato *", ordine.Stato, 30) %>
<%= Campo("Telefono", "Telefono", ordine.Telefono, 20) %>
<%= Campo("Email", "E-mail *", ordine.Email, 80) %>
<%= Campo("CFPI", "Codice fiscale o partita IVA", ordine.CFPI, 16) %>
</fieldset>
<fieldset><legend>Destinatario, se diverso dall'acquirente</legend>
<%= Campo("D_RagioneSociale", "Ragione sociale", ordine.D_RagioneSociale, 50) %>
<%= Campo("D_Cognome", "Cognome", ordine.D_Cognome, 50) %>
<%= Campo("D_Nome", "Nome", ordine.D_Nome, 50) %>
<%= Campo("D_Indirizzo", "Indirizzo", ordine.D_Indirizzo, 80) %>
<%= Campo("D_Cap", "CAP", ordine.D_Cap, 20) %>
<%= Campo("D_Localita", "Località", ordine.D_Localita, 80) %>
<%= Campo("D_Provincia", "Provincia", ordine.D_Provincia, 20) %>
<%= Campo("D_Stato", "Stato", ordine.D_Stato, 30) %>
</fieldset>
<fieldset><legend>Pagamento *</legend>
<% for (var p = 0; p < pagamenti.length; p++) {
       if (!Attivo(pagamenti[p][2])) continue; %>
<p><label><input type="radio" name="TipoPagamento" value="<%= pagamenti[p][0] %>"<%= ordine.TipoPagamento == pagamenti[p][0] ? " checked" : "" %>> <%= pagamenti[p][1] %></label></p>
<% } %>
</fieldset>
<p><label for="Note">Note</label><br><textarea id="Note" name="Note" rows="3" cols="50"><%= Html(ordine.Note) %></textarea></p>
<p><input type="submit" name="Submit" value="Conferma" id="conferma"> <input type="submit" name="Submit" value="Annulla" id="annulla"></p>
</form>
<% } %>
</body>
</html>
<% ordine.Free(); %>
